#pragma once

#include "toolkit/forms/shell_execute.h"

// Carries a shell request out on the platform's desktop (see ShellExecuteA);
// each backend defines it. Returns whether the request was handed on.
bool openThroughDesktop(const ShellRequest &request);
