#pragma once

#include <string>
#include <string_view>

// Names as the system's file names see them, through the platform's own
// Unicode services (ICU on Linux, the Win32 national-language calls on
// Windows), so that two spellings of one file name meet.

// The key two names share when a file system that ignores letter case takes
// them for one file: letter case folded fully (ΣΙΓΜΑ, σιγμα and σιγμας's
// final sigma alike; on Windows as the system's own case mapping does it),
// canonically equivalent spellings made one (é as one code point or as e
// and a combining accent), then composed (NFC). Bytes that are not UTF-8
// stay as they are, in place, so any name has a key.
std::string foldedName(std::string_view utf8);

// `utf8` without the Unicode white space at either end (blanks, tabs, the
// no-break space, the ideographic space, ...). Bytes that are not UTF-8 are
// never white space.
std::string_view withoutOuterBlanks(std::string_view utf8);

// The text that the bytes `bytes` stand for when read in the ANSI code page
// Windows writes text files in: Windows-1252 on Linux, the system's own
// ANSI code page on Windows. Returned as UTF-8.
std::string ansiCodePageToUtf8(std::string_view bytes);
