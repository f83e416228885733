#pragma once

#include <string>
#include <string_view>

// Conversion between the UTF-8 that names are held in inside the program and
// the UTF-16 that the Windows system calls take and give.
//
// Lossless for every name a Windows file system can hold: an unpaired
// surrogate (NTFS allows them in names) travels as its own three-byte form,
// as WTF-8 does, and converts back to the same code unit, so such a file can
// still be opened. A byte that cannot start or continue a sequence becomes
// U+FFFD; such text does not come from the system.

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// How many code units of `text`, at most `limit` (1 or more), can be written
// on their own without parting the two halves of a surrogate pair, so that a
// text written in pieces shows each character whole.
std::size_t utf16PieceLength(std::u16string_view text, std::size_t limit);
