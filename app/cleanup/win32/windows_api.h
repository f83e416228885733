#pragma once

// The Windows API as the clean-up views use it: <windows.h> and the common
// controls, without the empty 16-bit "near" and "far" macros, which would
// erase the model's members of those names.
#include <windows.h>

#include <commctrl.h>

#undef near
#undef far
