#pragma once

#include <iosfwd>

#include "cli/scan/scan_arguments.h"

// --move-unused and --restore: run the clean-up, print each file as it is
// done (failures and conflicts on `err`, the rest on `out`) and a closing
// line with the counts and bytes, or with --json one document on `out`.
// Return the exit status: 0 when everything asked was done, 1 otherwise.
int runMoveUnused(const ScanArguments &arguments, std::ostream &out, std::ostream &err);
int runRestore(const ScanArguments &arguments, std::ostream &out, std::ostream &err);
