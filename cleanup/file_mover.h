#pragma once

#include <string>

#include "toolkit/filesystem/file_operations.h"

// Moves the file or link `from` to the new path `to` on another file system,
// never replacing anything at `to`: copied first to `temporary`, a new path
// beside `to` that the caller has recorded as this run's (exclusively
// created, flushed to the disk), the copy's kind and size compared with
// `expected`, renamed into place without replacing, and only then `from`
// removed. If any step fails, what this call made (the temporary, or the
// copy at `to`) is removed again and `from` stays as it was; nothing else
// is ever removed. A stop between two steps leaves `from` whole, and at
// most the recorded temporary or a whole second copy at `to` beside it.
//
// Returns an empty string on success, else what failed, on which path, and
// why. `targetExists` is set when the failure was an entry already at `to`.
std::string moveAcrossFileSystems(const FileOperations &operations, const std::string &from, const std::string &to,
                                  const std::string &temporary, const FileStamp &expected,
                                  bool *targetExists = nullptr);

// True when `first` and `second` are both files with the same bytes, or
// both links with the same target: removing one of them loses nothing.
bool holdTheSame(const FileOperations &operations, const std::string &first, const std::string &second);

// "what PATH: reason", the shape of every per-file failure message.
std::string failureText(const std::string &what, const std::string &path, const std::error_code &error);
