#pragma once

#include <string>

#include "cleanup/cleanup_report.h"
#include "toolkit/filesystem/file_operations.h"

// Puts the files that a manifest lists back at their original paths, from
// the last one moved to the first, as an undo (reports and progress come in
// that order). A file whose original path is taken again is a conflict: it
// stays in the quarantine folder, listed, and the restore goes on. A file whose size is
// not the recorded one is not moved. Each restored file is dropped from the
// manifest at once; when none is left the manifest and the then empty
// folders of the quarantine folder are removed.
//
// `manifestPath` is the manifest file; its folder is the quarantine folder.
// A manifest that cannot be read stops the run through `error`.
CleanupOutcome restoreMovedSounds(const std::string &manifestPath, const FileOperations &operations,
                                  const CleanupProgress &progress = {});
