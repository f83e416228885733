#pragma once

#include "app/cleanup/win32/windows_api.h"

struct WindowMessage;

// Shows `message` over `owner`, titled `title`: in a message box, or, when
// it has details (a line per file), in a dialog with the details in a
// scrolling field below the message.
void showMessage(HWND owner, const char *title, const WindowMessage &message);
