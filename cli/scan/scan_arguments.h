#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scan/scan_run.h"

// What the command line asked for.
struct ScanArguments {
    ScanRequest request;
    bool json = false;
    bool help = false;
    std::string moveUnused;      // quarantine folder of --move-unused; empty: no move
    bool dryRun = false;
    bool includeNearMisses = false;
    std::string restore;         // manifest of --restore; empty: no restore
    bool version = false;
    std::vector<std::string> files;  // --file: move these instead of every unused sound
    std::string keepList;            // --keep-list: this list instead of the one found
    bool noKeepList = false;         // --no-keep-list
};

// The usage line, as printed by --help and after a usage error.
std::string scanUsage(const std::string &program);

// Parses the arguments after the program name. Options may stand anywhere;
// "--" ends them. On Windows "/?" asks for the help too. Returns nothing and
// sets `error` to what is wrong on a usage error: an unknown option; an
// option without its value, or with an option ("--...") where the value
// belongs; not exactly two folders without --help, --version or --restore;
// --dry-run or --include-near-misses without --move-unused; --restore with
// folders or scan options; --file without --move-unused; both keep-list
// options; on Windows, an argument holding a double quote
// (a quoted folder ending in a backslash, which cmd runs into the next
// argument), answered with how to write it.
std::optional<ScanArguments> parseScanArguments(const std::vector<std::string> &arguments, std::string &error);
