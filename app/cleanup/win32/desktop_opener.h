#pragma once

#include "app/cleanup/window_message.h"

// Opens a file with what the desktop associates with it, through the
// window classes' shell call (kept apart from <windows.h>, whose call of
// the same name would make the call ambiguous).
FileOpener desktopOpener();
