#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scan/scan_run.h"

// A reference that nearly names a file: the two names differ only in letter
// case (beyond ASCII too), in canonically equivalent spellings, or in white
// space at either end; or the reference's bytes name the file once read in
// the ANSI code page; or the reference stands in a UTF-16 scheme, which the
// scan cannot read. The scan compares names exactly, but the game's file
// system ignores letter case and Windows programs write schemes in those
// encodings, so such a file may well be loaded.
struct NearReference {
    std::string name;        // the referenced name, as the scheme writes it
    std::string schemeFile;  // absolute path of the scheme
    std::size_t lineNumber = 0;
};

// The near misses of one scan, each list parallel to its list in the scan.
struct NearMisses {
    // Per unreferenced file: the first reference (in reading order) that
    // nearly names it, if any.
    std::vector<std::optional<NearReference>> unreferenced;
    // Per missing name: the first unreferenced file (its path) that the name
    // nearly names, if any.
    std::vector<std::optional<std::string>> missing;
};

// The key two nearly equal names share: Unicode white space cut from both
// ends, letter case folded and canonical equivalents made one.
std::string nearMissKey(const std::string &name);

// The near misses of the scan `details`, re-reading its UTF-16 schemes
// through `fs`.
NearMisses findNearMisses(const ScanDetails &details, const FileSystem &fs = FileSystem::native());
