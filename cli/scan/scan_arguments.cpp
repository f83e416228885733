#include "cli/scan/scan_arguments.h"

std::string scanUsage(const std::string &program)
{
    return "usage: " + program + " [--schemes-subfolders] [--audio-subfolders] [--json] SCHEMES_FOLDER AUDIO_FOLDER\n"
           "       " + program + " [--schemes-subfolders] [--audio-subfolders] [--json] --move-unused QUARANTINE_FOLDER"
           " [--dry-run] [--include-near-misses] [--file PATH]... [--keep-list FILE | --no-keep-list]"
           " SCHEMES_FOLDER AUDIO_FOLDER\n"
           "       " + program + " [--json] --restore MANIFEST";
}

std::optional<ScanArguments> parseScanArguments(const std::vector<std::string> &arguments, std::string &error)
{
    ScanArguments parsed;
    std::vector<std::string> folders;
    bool optionsEnded = false;
    bool scanOptions = false;
    for (auto at = arguments.begin(); at != arguments.end(); ++at) {
        const std::string &argument = *at;
        const auto value = [&](std::string &target) {
            if (++at == arguments.end() || at->empty()) {
                error = argument + " needs a value";
                return false;
            }
            target = *at;
            return true;
        };
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            folders.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--schemes-subfolders") {
            parsed.request.schemesSubfolders = scanOptions = true;
        } else if (argument == "--audio-subfolders") {
            parsed.request.audioSubfolders = scanOptions = true;
        } else if (argument == "--move-unused") {
            if (!value(parsed.moveUnused))
                return std::nullopt;
        } else if (argument == "--restore") {
            if (!value(parsed.restore))
                return std::nullopt;
        } else if (argument == "--dry-run") {
            parsed.dryRun = true;
        } else if (argument == "--include-near-misses") {
            parsed.includeNearMisses = true;
        } else if (argument == "--file") {
            if (!value(parsed.files.emplace_back()))
                return std::nullopt;
        } else if (argument == "--keep-list") {
            if (!value(parsed.keepList))
                return std::nullopt;
        } else if (argument == "--no-keep-list") {
            parsed.noKeepList = true;
        } else if (argument == "--json") {
            parsed.json = true;
        } else if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else {
            error = "unknown option " + argument;
            return std::nullopt;
        }
    }
    if (parsed.help || parsed.version)
        return parsed;
    if ((parsed.dryRun || parsed.includeNearMisses) && parsed.moveUnused.empty()) {
        error = "--dry-run and --include-near-misses go with --move-unused";
        return std::nullopt;
    }
    if (!parsed.files.empty() && parsed.moveUnused.empty()) {
        error = "--file goes with --move-unused";
        return std::nullopt;
    }
    if (!parsed.keepList.empty() && parsed.noKeepList) {
        error = "--keep-list and --no-keep-list exclude each other";
        return std::nullopt;
    }
    if (!parsed.restore.empty()) {
        if (!folders.empty() || scanOptions || !parsed.moveUnused.empty()) {
            error = "--restore takes the manifest alone, no folders or scan options";
            return std::nullopt;
        }
        return parsed;
    }
    if (folders.size() != 2) {
        error = "expected two folders (schemes, then audio), got " + std::to_string(folders.size());
        return std::nullopt;
    }
    parsed.request.schemesFolder = folders[0];
    parsed.request.audioFolder = folders[1];
    return parsed;
}
