#include "cleanup/cleanup_report.h"

std::size_t CleanupOutcome::count(FileResult result) const
{
    std::size_t total = 0;
    for (const FileReport &file : files)
        total += file.result == result;
    return total;
}

std::uintmax_t CleanupOutcome::bytes(FileResult result) const
{
    std::uintmax_t total = 0;
    for (const FileReport &file : files)
        if (file.result == result)
            total += file.size;
    return total;
}

bool CleanupOutcome::complete() const
{
    return error.empty() && count(FileResult::Failed) == 0 && count(FileResult::Conflict) == 0;
}

const char *resultName(FileResult result)
{
    switch (result) {
    case FileResult::Moved:
        return "moved";
    case FileResult::WouldMove:
        return "would move";
    case FileResult::Skipped:
        return "skipped";
    case FileResult::Restored:
        return "restored";
    case FileResult::Conflict:
        return "conflict";
    case FileResult::Failed:
        return "failed";
    }
    return "unknown";
}
