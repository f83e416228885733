#pragma once

#include <string>
#include <vector>

#include "cleanup/cleanup_report.h"
#include "scan/scan_run.h"
#include "toolkit/filesystem/file_operations.h"
#include "toolkit/filesystem/file_system.h"

// What to move aside, and where.
struct MoveRequest {
    ScanRequest scan;               // the scan whose unreferenced files are meant
    std::string quarantineFolder;   // absolute; created when missing
    bool allUnreferenced = false;   // every unreferenced file of the new scan...
    bool includeNearMisses = false; // ...with the near misses too only when set
    std::vector<std::string> files; // else these paths, as the scan lists them; a near miss
                                    // named here counts as asked for explicitly
    bool dryRun = false;            // report what would move; write nothing
    std::string programVersion;     // recorded in the manifest
};

// Runs the scan of `request` again and moves the chosen files that are
// still unreferenced into the quarantine folder, each at its path relative
// to the audio folder, never replacing anything there. Only files and
// symbolic links move (a link as the link itself); folders, FIFOs, sockets
// and devices are skipped with the reason. The manifest is created
// exclusively before the first file moves; each file and the folders it
// needs are recorded in it before they change and marked done after, so
// that after a stop at any moment a restore finds every file. A file that
// cannot be moved is reported and stays where it was; a manifest that
// cannot be written stops the run. When nothing moved, the manifest and
// every folder the run made are removed again. A dry run writes nothing,
// not even a folder, and reports each file that would fail.
//
// Refuses (through `error`, before any file moves, leaving nothing made) a
// quarantine folder that is not absolute, lies inside the audio folder or
// holds it (resolved paths compared), cannot be created (naming the part in
// the way), or already holds a manifest. `progress`, when set, hears of
// every file.
CleanupOutcome moveUnusedSounds(const MoveRequest &request, const FileSystem &fs,
                                const FileOperations &operations, const CleanupProgress &progress = {});
