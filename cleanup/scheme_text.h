#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scan/scan_run.h"
#include "toolkit/filesystem/file_system.h"

// Scheme text as Windows programs write it, for the clean-up's decisions
// only: the scan itself reads every scheme byte for byte.

// The references of the scheme files of `details` that are saved as UTF-16
// (a byte-order mark, or zero bytes between the letters of the first line),
// read as UTF-16, by the same rule as the scan's: the first plain line after
// lines with a double quote. The scan reads such a file as bytes and finds
// nothing it can use in it. Names are UTF-8; schemeIndex points into
// details.schemeFilePaths. Each such file starts with the quote state clear,
// since the state the file before it left is the scan's alone. A file that
// cannot be read adds nothing (the scan has already named it).
std::vector<SchemeReference> utf16SchemeReferences(const ScanDetails &details, const FileSystem &fs);

// Whether the first line `firstLine` of a scheme file shows it is UTF-16;
// `bigEndian` says which order when it is.
bool isUtf16Text(std::string_view firstLine, bool &bigEndian);
