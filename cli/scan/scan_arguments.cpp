#include "cli/scan/scan_arguments.h"

#include <string_view>

#include "toolkit/filesystem/paths.h"

namespace {

#ifdef _WIN32
constexpr bool windowsConventions = true;
#else
constexpr bool windowsConventions = false;
#endif

// One option of the command line: its name, whether the next argument is its
// value, and what it sets. New options are new rows.
struct OptionRule {
    std::string_view name;
    bool takesValue;
    void (*apply)(ScanArguments &parsed, const std::string &value);
};

const OptionRule optionRules[] = {
    {"--schemes-subfolders", false, [](ScanArguments &a, const std::string &) { a.request.schemesSubfolders = true; }},
    {"--audio-subfolders", false, [](ScanArguments &a, const std::string &) { a.request.audioSubfolders = true; }},
    {"--move-unused", true, [](ScanArguments &a, const std::string &value) { a.moveUnused = value; }},
    {"--restore", true, [](ScanArguments &a, const std::string &value) { a.restore = value; }},
    {"--dry-run", false, [](ScanArguments &a, const std::string &) { a.dryRun = true; }},
    {"--include-near-misses", false, [](ScanArguments &a, const std::string &) { a.includeNearMisses = true; }},
    {"--file", true, [](ScanArguments &a, const std::string &value) { a.files.push_back(value); }},
    {"--keep-list", true, [](ScanArguments &a, const std::string &value) { a.keepList = value; }},
    {"--no-keep-list", false, [](ScanArguments &a, const std::string &) { a.noKeepList = true; }},
    {"--json", false, [](ScanArguments &a, const std::string &) { a.json = true; }},
    {"--help", false, [](ScanArguments &a, const std::string &) { a.help = true; }},
    {"-h", false, [](ScanArguments &a, const std::string &) { a.help = true; }},
    {"--version", false, [](ScanArguments &a, const std::string &) { a.version = true; }},
};

const OptionRule *findOption(std::string_view argument)
{
    for (const OptionRule &rule : optionRules)
        if (rule.name == argument)
            return &rule;
    if (windowsConventions && argument == "/?")
        return findOption("--help");
    return nullptr;
}

// cmd and the C runtime read a backslash before a double quote as an escaped
// quote, so "D:\Mods\Sounds\" "D:\Mods\Audio" arrives as the one argument
// D:\Mods\Sounds" D:\Mods\Audio. No Windows name holds a quote, so any
// argument with one was split that way.
std::string quoteHint(const std::string &argument)
{
    const std::string folder = argument.substr(0, argument.find('"'));
    return "the argument " + argument + " holds a double quote: a folder in quotes must not end with a single "
           "backslash. Write it without its final backslash (\"" + folder + "\") or double it (\"" + folder + "\\\\\")";
}

} // namespace

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
    for (auto at = arguments.begin(); at != arguments.end(); ++at) {
        const std::string &argument = *at;
        if (windowsConventions && argument.find('"') != std::string::npos) {
            error = quoteHint(argument);
            return std::nullopt;
        }
        if (argument == "--" && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        const OptionRule *rule = optionsEnded ? nullptr : findOption(argument);
        if (!rule) {
            if (!optionsEnded && argument.size() >= 2 && argument.front() == '-') {
                error = "unknown option " + argument;
                return std::nullopt;
            }
            folders.push_back(argument);
            continue;
        }
        std::string value;
        if (rule->takesValue) {
            if (++at == arguments.end() || at->empty()) {
                error = argument + " needs a value";
                return std::nullopt;
            }
            // An option where the value belongs is a forgotten value, not a
            // folder of that name.
            if (at->starts_with("--")) {
                error = argument + " needs a value, and " + *at + " is an option; write "
                        + joinPath(".", *at) + " for a folder or file of that name";
                return std::nullopt;
            }
            value = *at;
        }
        rule->apply(parsed, value);
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
        const bool scanOptions = parsed.request.schemesSubfolders || parsed.request.audioSubfolders;
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
