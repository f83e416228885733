#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/filesystem/file_operations.h"

// `relativePath` written as a pattern that names exactly that path: '\'
// before '*', '?', '[', ']' and '\', before a '#' or '!' at the start, and
// before each blank at the end.
std::string escapedKeepPattern(std::string_view relativePath);

// What pressing Keep or Unkeep did to the list.
struct KeepEdit {
    bool written = false;             // the list was replaced
    std::vector<std::string> notes;   // per sound left as it was: its path and why
    std::string error;                // why nothing was written: the list cannot be read,
                                      // understood or replaced
};

// Keeps the sounds at `relativePaths` (from the list's folder, '/' between
// names): those the list does not keep yet are appended as exact patterns
// after a comment line holding `date`. The list at `listPath` is created
// when it does not exist. Written whole beside the old one and renamed over
// it; on any failure the old list stays as it was.
KeepEdit keepSounds(const std::string &listPath, const std::vector<std::string> &relativePaths,
                    const std::string &date, const FileOperations &operations);

// Takes back the lines that name exactly the sounds at `relativePaths`. A
// sound kept by a wider pattern ("*.ogg", a folder) is left as it is, and a
// note says which line keeps it. Written as keepSounds writes.
KeepEdit unkeepSounds(const std::string &listPath, const std::vector<std::string> &relativePaths,
                      const FileOperations &operations);
