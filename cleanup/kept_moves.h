#pragma once

#include "cleanup/move_unused.h"
#include "keep/keep_list.h"

// Moves as moveUnusedSounds does, going by the keep list `keep` (none when
// null):
// - a list that cannot be read or understood stops the move before anything
//   is touched, and the outcome's error names its path, line and why;
// - a file named in request.files that the list keeps is refused (Failed,
//   with the line that keeps it), and the others named move;
// - every other file the list keeps is skipped with that line.
// The manifest lists only what moved.
CleanupOutcome moveUnusedKeeping(MoveRequest request, const KeepList *keep, const FileSystem &fileSystem,
                                 const FileOperations &operations, const CleanupProgress &progress = {});

// The line of `keep` that keeps the file at `absolutePath`, if any.
std::optional<KeepReason> keptReason(const KeepList &keep, const std::string &absolutePath);
