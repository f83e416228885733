#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/filesystem/file_operations.h"

// The folders between a folder and an entry below it, as the clean-up may
// use them: each one that exists must be a folder itself, not a link to
// one, so that a path read from a manifest cannot reach through a link out
// of the folder it names, and a file is never put where a restore would
// refuse to take it from.
struct FolderWay {
    std::vector<std::string> folders;  // the relative paths of the folders on the way, outermost first
    std::size_t existing = 0;          // how many of them exist (the rest do not)
    std::string problem;               // empty, or which part is in the way and why
};

// Looks at the folders of the '/'-separated relative path `relative` below
// `base` (all but its last part), stopping at the first that is missing.
FolderWay checkFolderWay(const FileOperations &operations, const std::string &base, const std::string &relative);

// `relative` ('/'-separated) below `base`, in the platform's form.
std::string pathBelow(const std::string &base, const std::string &relative);

// The existing part of `path` that keeps the folder `path` from being
// made: the nearest existing entry on it when that is neither a folder nor
// a link; empty when nothing is in the way.
std::string firstPartInTheWay(const FileOperations &operations, const std::string &path);
