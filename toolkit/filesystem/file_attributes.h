#pragma once

#include <cstdint>

// The attribute word of a folder entry, with the bit values the walkers test.
// A folder is exactly FILE_ATTRIBUTE_DIRECTORY; anything else (a link, a
// dot-name, a file) is not entered by a walk. The values are the Windows
// system's own; sources that include <windows.h> use its macros instead,
// which these names would collide with.
inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 1;
inline constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 2;
inline constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 4;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 16;
inline constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 128;
inline constexpr std::uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 1024;
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
