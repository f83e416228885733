#include "cli/scan/cleanup_commands.h"

#include <cctype>
#include <optional>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cleanup/kept_moves.h"
#include "cleanup/move_unused.h"
#include "cleanup/restore_moved.h"
#include "cli/scan/keep_list_choice.h"
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

json outcomeToJson(const CleanupOutcome &outcome, const std::string &operation, const KeepList *keep)
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
        if (const auto reason = keep && file.result != FileResult::Moved ? keptReason(*keep, file.path) : std::nullopt) {
            item["keptBy"] = {{"line", reason->lineNumber}};
            putText(item["keptBy"], "pattern", reason->pattern);
        }
        files.push_back(std::move(item));
    }
    document["files"] = std::move(files);
    if (operation != "restore") {
        document["keepList"] = nullptr;
        if (keep)
            putText(document, "keepList", keep->path());
    }
    return document;
}

int finish(const CleanupOutcome &outcome, const ScanArguments &arguments, const std::string &operation,
           const std::string &closing, std::ostream &out, std::ostream &err, const KeepList *keep = nullptr)
{
    if (!outcome.error.empty())
        err << "vorrel-scan: " << outcome.error << '\n';
    if (arguments.json)
        out << dumpScanJson(outcomeToJson(outcome, operation, keep)) << '\n';
    else
        out << closing << '\n';
    out.flush();
    return outcome.complete() && out ? 0 : 1;
}

std::string counted(std::size_t count, const char *what)
{
    return std::to_string(count) + ' ' + what + (count == 1 ? "" : "s");
}

// The folder or file `given` on the command line for `option`, absolute
// and in the platform's own form, read as the scan reads its folders.
// Relative paths are taken from the current folder. On Windows a
// "\\?\C:\..." or "\\?\UNC\server\share\..." path is given to the
// clean-up in its plain form (its file operations add the prefix back where
// a path is long), so that it sees one form of each path.
std::string cleanupPath(const std::string &given)
{
    std::string path = withNativeSeparators(given);
#ifdef _WIN32
    const auto drivePathFollows = [&](std::size_t at) {
        return path.size() > at + 1 && path[at + 1] == ':' && std::isalpha(static_cast<unsigned char>(path[at]));
    };
    if (path.starts_with("\\\\?\\UNC\\"))
        path.replace(0, 8, "\\\\");
    else if (path.starts_with("\\\\?\\") && drivePathFollows(4))
        path.erase(0, 4);
#endif
    return withNativeSeparators(absolutePath(path));
}

// The files of --file as the scan lists them: absolute, with their folder
// resolved. Sets `wrong` to the first one outside the audio folder.
std::vector<std::string> namedFiles(const ScanArguments &arguments, const std::string &audioFolder, std::string &wrong)
{
    std::vector<std::string> files;
    for (const std::string &file : arguments.files) {
        const std::string path = absolutePath(file);
        const std::string folder = parentPath(path);
        const std::string resolved = joinPath(FileSystem::native().canonicalPath(folder).value_or(folder),
                                              relativePathInside(folder, path).value_or(path));
        if (audioFolder.empty() || !relativePathInside(audioFolder, resolved)) {
            wrong = "--file " + file + " does not lie inside the audio folder " + arguments.request.audioFolder;
            return {};
        }
        files.push_back(resolved);
    }
    return files;
}

} // namespace

int runMoveUnused(const ScanArguments &arguments, std::ostream &out, std::ostream &err)
{
    MoveRequest request;
    request.scan = arguments.request;
    request.quarantineFolder = cleanupPath(arguments.moveUnused);
    const std::string audioFolder =
        FileSystem::native().canonicalPath(absolutePath(arguments.request.audioFolder)).value_or(std::string());
    std::string wrong;
    request.files = namedFiles(arguments, audioFolder, wrong);
    if (!wrong.empty()) {
        err << "vorrel-scan: " << wrong << '\n';
        return 2;
    }
    const std::optional<KeepList> keep = chosenKeepList(arguments, audioFolder);
    if (!arguments.json)
        out << "Keep list: " << (keep ? keep->path() : std::string("none")) << '\n';
    request.allUnreferenced = request.files.empty();
    request.includeNearMisses = arguments.includeNearMisses;
    request.dryRun = arguments.dryRun;
    request.programVersion = VORREL_VERSION;
    const CleanupOutcome outcome =
        moveUnusedKeeping(request, keep ? &*keep : nullptr, FileSystem::native(), FileOperations::native(), [&](const FileReport &file, auto, auto) {
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
    return finish(outcome, arguments, arguments.dryRun ? "dry run" : "move", closing, out, err, keep ? &*keep : nullptr);
}

int runRestore(const ScanArguments &arguments, std::ostream &out, std::ostream &err)
{
    const std::string manifest = cleanupPath(arguments.restore);
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
