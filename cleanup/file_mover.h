#pragma once

#include <string>

#include "toolkit/filesystem/file_operations.h"

// Moves the file `from` to the new path `to`, whose folder exists, without
// ever replacing anything at `to`. On one file system this is a rename.
// Across file systems the file is copied to `to` (exclusively, flushed to
// the disk), the copy's size is compared with `expectedSize`, and only then
// is `from` removed; if any step fails, the copy is removed again and
// `from` stays as it was.
//
// Returns an empty string on success, else what failed, on which path, and
// why. `targetExists` is set when the failure was an entry already at `to`.
std::string moveFileSafely(const FileOperations &operations, const std::string &from, const std::string &to,
                           std::uintmax_t expectedSize, bool *targetExists = nullptr);

// "what PATH: reason", the shape of every per-file failure message.
std::string failureText(const std::string &what, const std::string &path, const std::error_code &error);
