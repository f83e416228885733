#include "cli/scan/cleanup_commands.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "cleanup/move_unused.h"
#include "cleanup/restore_moved.h"
#include "cli/scan/scan_json.h"
#include "toolkit/filesystem/file_operations.h"
#include "toolkit/filesystem/paths.h"

namespace {

using json = nlohmann::ordered_json;

void printFile(const FileReport &file, std::ostream &out, std::ostream &err)
{
    const bool trouble = file.result == FileResult::Failed || file.result == FileResult::Conflict;
    std::ostream &to = trouble ? err : out;
    to << resultName(file.result) << ' ' << file.path;
    if (!file.destination.empty() && !trouble && file.result != FileResult::Skipped)
        to << " -> " << file.destination << " (" << file.size << " bytes)";
    if (!file.message.empty())
        to << ": " << file.message;
    to << '\n';
}

json outcomeToJson(const CleanupOutcome &outcome, const std::string &operation)
{
    json document = json::object();
    document["operation"] = operation;
    document["complete"] = outcome.complete();
    if (outcome.manifestPath.empty())
        document["manifest"] = nullptr;
    else
        putText(document, "manifest", outcome.manifestPath);
    if (outcome.error.empty())
        document["error"] = nullptr;
    else
        putText(document, "error", outcome.error);
    json counts = json::object();
    for (const FileResult result : {FileResult::Moved, FileResult::WouldMove, FileResult::Skipped,
                                    FileResult::Restored, FileResult::Conflict, FileResult::Failed})
        if (const std::size_t count = outcome.count(result))
            counts[resultName(result)] = {{"files", count}, {"bytes", outcome.bytes(result)}};
    document["counts"] = std::move(counts);
    json files = json::array();
    for (const FileReport &file : outcome.files) {
        json item = {{"result", resultName(file.result)}};
        putText(item, "path", file.path);
        putText(item, "destination", file.destination);
        item["size"] = file.size;
        putText(item, "message", file.message);
        files.push_back(std::move(item));
    }
    document["files"] = std::move(files);
    return document;
}

int finish(const CleanupOutcome &outcome, const ScanArguments &arguments, const std::string &operation,
           const std::string &closing, std::ostream &out, std::ostream &err)
{
    if (!outcome.error.empty())
        err << "vorrel-scan: " << outcome.error << '\n';
    if (arguments.json)
        out << dumpScanJson(outcomeToJson(outcome, operation)) << '\n';
    else
        out << closing << '\n';
    out.flush();
    return outcome.complete() && out ? 0 : 1;
}

std::string counted(std::size_t count, const char *what)
{
    return std::to_string(count) + ' ' + what + (count == 1 ? "" : "s");
}

} // namespace

int runMoveUnused(const ScanArguments &arguments, std::ostream &out, std::ostream &err)
{
    MoveRequest request;
    request.scan = arguments.request;
    request.quarantineFolder = absolutePath(arguments.moveUnused);
    request.allUnreferenced = true;
    request.includeNearMisses = arguments.includeNearMisses;
    request.dryRun = arguments.dryRun;
    request.programVersion = VORREL_VERSION;
    const CleanupOutcome outcome =
        moveUnusedSounds(request, FileSystem::native(), FileOperations::native(), [&](const FileReport &file, auto, auto) {
            if (!arguments.json)
                printFile(file, out, err);
            else if (file.result == FileResult::Failed)
                err << "failed " << file.path << ": " << file.message << '\n';
        });
    const FileResult done = arguments.dryRun ? FileResult::WouldMove : FileResult::Moved;
    std::string closing = (arguments.dryRun ? "Would move " : "Moved ") + counted(outcome.count(done), "file") + " ("
                          + std::to_string(outcome.bytes(done)) + " bytes), skipped "
                          + std::to_string(outcome.count(FileResult::Skipped)) + ", failed "
                          + std::to_string(outcome.count(FileResult::Failed)) + '.';
    if (!outcome.manifestPath.empty())
        closing += " Manifest: " + outcome.manifestPath;
    return finish(outcome, arguments, arguments.dryRun ? "dry run" : "move", closing, out, err);
}

int runRestore(const ScanArguments &arguments, std::ostream &out, std::ostream &err)
{
    const std::string manifest = absolutePath(arguments.restore);
    const CleanupOutcome outcome =
        restoreMovedSounds(manifest, FileOperations::native(), [&](const FileReport &file, auto, auto) {
            if (!arguments.json)
                printFile(file, out, err);
            else if (file.result != FileResult::Restored)
                err << resultName(file.result) << ' ' << file.path << ": " << file.message << '\n';
        });
    std::string closing = "Restored " + counted(outcome.count(FileResult::Restored), "file") + " ("
                          + std::to_string(outcome.bytes(FileResult::Restored)) + " bytes), "
                          + counted(outcome.count(FileResult::Conflict), "conflict") + ", failed "
                          + std::to_string(outcome.count(FileResult::Failed)) + '.';
    if (!outcome.manifestPath.empty())
        closing += " Still listed in " + outcome.manifestPath;
    return finish(outcome, arguments, "restore", closing, out, err);
}
