#pragma once

#include <string_view>

// The fixed order in which a folder search yields its entries: by name with
// ASCII letters upper-cased, compared byte by byte as unsigned values, ties
// (names that differ only in letter case) broken by the raw bytes. This is
// the order an NTFS volume keeps, and it makes every walk, and so every
// report, the same on every machine whatever order the disk returns.
bool entryNameLess(std::string_view left, std::string_view right);
