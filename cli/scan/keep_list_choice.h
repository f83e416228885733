#pragma once

#include <optional>
#include <string>

#include "cli/scan/scan_arguments.h"
#include "keep/keep_list.h"

// The keep list a run goes by: the FILE of --keep-list (relative from the
// current folder), none with --no-keep-list, else the one found for
// `audioFolder` (canonical; empty when it does not resolve, and then there is
// none). Nothing when there is none; a list that cannot be read or understood
// comes back with its error.
std::optional<KeepList> chosenKeepList(const ScanArguments &arguments, const std::string &audioFolder);
