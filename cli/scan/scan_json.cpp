#include "cli/scan/scan_json.h"

#include <cstdint>
#include <optional>

#include "cleanup/kept_moves.h"
#include "cleanup/near_misses.h"
#include "cli/scan/keep_list_choice.h"
#include "toolkit/filesystem/utf8_text.h"

using json = nlohmann::ordered_json;

void putText(json &object, const std::string &key, const std::string &value)
{
    object[key] = value;
    if (!isValidUtf8(value))
        object[key + "Hex"] = toHex(value);
}

namespace {

json unreadableArray(const std::vector<UnreadablePath> &values)
{
    json array = json::array();
    for (const UnreadablePath &value : values) {
        json item = json::object();
        putText(item, "path", value.path);
        putText(item, "reason", value.reason());
        array.push_back(std::move(item));
    }
    return array;
}

const char *outcomeName(ScanOutcome outcome)
{
    switch (outcome) {
    case ScanOutcome::Completed:
        return "completed";
    case ScanOutcome::NoSchemeFiles:
        return "no scheme files";
    case ScanOutcome::DirectoryReadingError:
        return "audio folder unreadable or without audio files";
    }
    return "unknown";
}

} // namespace

json scanToJson(const ScanArguments &arguments, const ScanDetails &details,
                const std::vector<FolderProblem> &folderProblems, const FileSystem &fs)
{
    json document = json::object();
    document["outcome"] = outcomeName(details.outcome);
    putText(document, "schemesFolder", details.schemesFolder);
    putText(document, "audioFolder", details.audioFolder);
    document["schemesSubfolders"] = arguments.request.schemesSubfolders;
    document["audioSubfolders"] = arguments.request.audioSubfolders;
    json folderErrors = json::array();
    for (const FolderProblem &problem : folderProblems) {
        json item = {{"folder", problem.which}};
        putText(item, "path", problem.path);
        item["reason"] = problem.reason;
        folderErrors.push_back(std::move(item));
    }
    document["folderErrors"] = std::move(folderErrors);

    document["counts"] = {
        {"schemeFiles", details.schemeFiles},
        {"references", details.references},
        {"audioFiles", details.audioFiles},
        {"unreferenced", details.unreferenced.size()},
        {"missing", details.missing.size()},
    };

    json unreferenced = json::array();
    std::uintmax_t totalBytes = 0;
    for (const UnreferencedAudio &audio : details.unreferenced) {
        json item = json::object();
        putText(item, "name", audio.name);
        putText(item, "folder", audio.folder);
        putText(item, "path", audio.path);
        const std::optional<std::uintmax_t> size = fs.fileSize(audio.path);
        item["size"] = size ? json(*size) : json(nullptr);
        totalBytes += size.value_or(0);
        unreferenced.push_back(std::move(item));
    }
    document["unreferenced"] = std::move(unreferenced);
    document["unreferencedBytes"] = totalBytes;

    json missing = json::array();
    for (const MissingAudio &reference : details.missing) {
        json item = json::object();
        putText(item, "name", reference.name);
        putText(item, "schemeFile", reference.schemeFile);
        item["line"] = reference.lineNumber;
        missing.push_back(std::move(item));
    }
    document["missing"] = std::move(missing);

    const NearMisses nearMisses = findNearMisses(details);
    json near = json::array();
    for (std::size_t u = 0; u < details.unreferenced.size(); ++u) {
        if (!nearMisses.unreferenced[u])
            continue;
        json item = json::object();
        putText(item, "file", details.unreferenced[u].path);
        putText(item, "nearReference", nearMisses.unreferenced[u]->name);
        putText(item, "schemeFile", nearMisses.unreferenced[u]->schemeFile);
        item["line"] = nearMisses.unreferenced[u]->lineNumber;
        near.push_back(std::move(item));
    }
    document["nearMisses"] = std::move(near);

    // The sounds a move would leave where they are. The report lists them
    // all the same.
    const std::optional<KeepList> keep = chosenKeepList(arguments, details.audioFolder);
    document["keepList"] = nullptr;
    json kept = json::array();
    if (keep) {
        document["keepList"] = json::object();
        putText(document["keepList"], "path", keep->path());
        document["keepList"]["error"] = keep->error().empty() ? json(nullptr) : json(keep->error());
        for (const UnreferencedAudio &audio : details.unreferenced)
            if (const std::optional<KeepReason> reason = keptReason(*keep, audio.path)) {
                json item = json::object();
                putText(item, "file", audio.path);
                item["line"] = reason->lineNumber;
                putText(item, "pattern", reason->pattern);
                kept.push_back(std::move(item));
            }
    }
    document["kept"] = std::move(kept);

    document["unreadable"] = {
        {"schemeFolders", unreadableArray(details.unreadableSchemeFolders)},
        {"schemeFiles", unreadableArray(details.unreadableSchemeFiles)},
        {"audioFolders", unreadableArray(details.unreadableAudioFolders)},
    };

    json report = json::array();
    for (const std::string &line : details.lines)
        report.push_back(line);
    document["report"] = std::move(report);
    return document;
}

std::string dumpScanJson(const json &document)
{
    return document.dump(2, ' ', false, json::error_handler_t::replace);
}
