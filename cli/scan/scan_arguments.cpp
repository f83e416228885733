#include "cli/scan/scan_arguments.h"

std::string scanUsage(const std::string &program)
{
    return "usage: " + program + " [--schemes-subfolders] [--audio-subfolders] [--json] SCHEMES_FOLDER AUDIO_FOLDER";
}

std::optional<ScanArguments> parseScanArguments(const std::vector<std::string> &arguments, std::string &error)
{
    ScanArguments parsed;
    std::vector<std::string> folders;
    bool optionsEnded = false;
    for (const std::string &argument : arguments) {
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            folders.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--schemes-subfolders") {
            parsed.request.schemesSubfolders = true;
        } else if (argument == "--audio-subfolders") {
            parsed.request.audioSubfolders = true;
        } else if (argument == "--json") {
            parsed.json = true;
        } else if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else {
            error = "unknown option " + argument;
            return std::nullopt;
        }
    }
    if (parsed.help)
        return parsed;
    if (folders.size() != 2) {
        error = "expected two folders (schemes, then audio), got " + std::to_string(folders.size());
        return std::nullopt;
    }
    parsed.request.schemesFolder = folders[0];
    parsed.request.audioFolder = folders[1];
    return parsed;
}
