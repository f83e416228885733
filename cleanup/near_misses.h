#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scan/scan_run.h"

// A reference that nearly names a file: the two names differ only in letter
// case or in blanks at either end. The scan compares names exactly, but the
// game's file system ignores letter case, so such a file may well be loaded.
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

// The key two nearly equal names share: ASCII letters folded to lower case,
// spaces and tabs cut from both ends.
std::string nearMissKey(const std::string &name);

NearMisses findNearMisses(const ScanDetails &details);
