#pragma once

#include <string>

#include "cleanup/cleanup_report.h"
#include "toolkit/filesystem/file_operations.h"

// Puts the files that a manifest lists back at their original paths,
// undoing the move's steps from the last to the first (reports and progress
// come in that order), after checking the whole manifest (see
// manifestFromText; no symbolic link on the way below either folder). Also
// finishes a move or restore that was stopped: a file already at its
// original path and not in the quarantine folder counts as restored, a
// second copy with the same bytes is removed, and the temporaries and spares
// the manifest names are removed. A file whose original path is taken by
// something else is a conflict; one whose size is not the recorded one is
// not moved; both stay in the quarantine folder, listed. Each restored file
// is dropped from the manifest at once; when none is left, the manifest, the
// recorded folders and the quarantine folder go, each folder only if empty.
//
// `manifestPath` is the manifest file; its folder is the quarantine folder.
// A manifest that cannot be read or trusted stops the run through `error`
// before anything changes.
CleanupOutcome restoreMovedSounds(const std::string &manifestPath, const FileOperations &operations,
                                  const CleanupProgress &progress = {});
