#pragma once

#include <string>
#include <string_view>

// The few Unicode services name_folding.cpp takes from the platform, one
// implementation per platform beside this header (unicode_services_icu.cpp,
// unicode_services_win32.cpp), chosen at build time. Text is UTF-16 here
// because both platforms' services work in it. None of them throws.
namespace UnicodeServices {

// `text` with letter case folded and canonical equivalents made one,
// composed (NFC). `text` is well-formed UTF-16.
std::u16string foldAndCompose(std::u16string_view text);

// True when the code point `c` is white space.
bool isWhiteSpace(char32_t c);

// `bytes` read in the ANSI code page (see name_folding.h).
std::u16string ansiCodePageToUtf16(std::string_view bytes);

} // namespace UnicodeServices
