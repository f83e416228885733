#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What happened to one file in a move or a restore.
enum class FileResult {
    Moved,       // now in the quarantine folder
    WouldMove,   // a dry run found it movable
    Skipped,     // not moved: referenced now, gone, or a near miss not asked for
    Restored,    // back at its original path
    Conflict,    // not restored: something else is at its original path
    Failed       // an operation failed; the file is where it was
};

struct FileReport {
    FileResult result = FileResult::Failed;
    std::string path;         // the file's path before the step
    std::string destination;  // where it went or would go
    std::uintmax_t size = 0;
    std::string message;      // why it was skipped, conflicted or failed
};

// The whole of one move or restore.
struct CleanupOutcome {
    std::vector<FileReport> files;
    std::string manifestPath;  // the manifest written or read; empty when none
    std::string error;         // a failure that stopped the run before or between files

    std::size_t count(FileResult result) const;
    std::uintmax_t bytes(FileResult result) const;
    // True when every file asked for was done: no failure, no conflict, no error.
    bool complete() const;
};

// Called after each file: its report and how many of `total` are done.
using CleanupProgress = std::function<void(const FileReport &report, std::size_t done, std::size_t total)>;

const char *resultName(FileResult result);
