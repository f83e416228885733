#include "cleanup/kept_moves.h"

#include <algorithm>

std::optional<KeepReason> keptReason(const KeepList &keep, const std::string &absolutePath)
{
    const std::optional<std::string> relative = keep.relativePath(absolutePath);
    return relative ? keep.reasonToKeep(*relative) : std::nullopt;
}

CleanupOutcome moveUnusedKeeping(MoveRequest request, const KeepList *keep, const FileSystem &fileSystem,
                                 const FileOperations &operations, const CleanupProgress &progress)
{
    if (!keep)
        return moveUnusedSounds(request, fileSystem, operations, progress);
    CleanupOutcome refused;
    if (!keep->error().empty()) {
        refused.error = "the keep list cannot be used, so nothing is moved: " + keep->error();
        return refused;
    }
    const auto named = std::stable_partition(request.files.begin(), request.files.end(), [&](const std::string &path) {
        return !keptReason(*keep, path);
    });
    for (auto path = named; path != request.files.end(); ++path) {
        refused.files.push_back({FileResult::Failed, *path, {}, 0,
                                 "refused: " + keptText(*keep, *keptReason(*keep, *path))});
        if (progress)
            progress(refused.files.back(), refused.files.size(), request.files.end() - named);
    }
    request.files.erase(named, request.files.end());
    request.keptBy = [keep](const std::string &path) {
        const std::optional<KeepReason> reason = keptReason(*keep, path);
        return reason ? keptText(*keep, *reason) : std::string();
    };
    CleanupOutcome outcome;
    if (!request.files.empty() || request.allUnreferenced)
        outcome = moveUnusedSounds(request, fileSystem, operations, progress);
    outcome.files.insert(outcome.files.begin(), refused.files.begin(), refused.files.end());
    return outcome;
}
