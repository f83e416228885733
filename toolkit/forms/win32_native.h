#pragma once

// The Win32 side of the window classes: what stands behind a control, a
// form, a menu entry, an icon and the application on Windows. Only the
// Win32 backend and the Win32 views of the windows include it.

#include "toolkit/forms/tcontrol.h"

#include <windows.h>

// A control's own window. A form's `window` is its top-level window; its
// controls are children of it (a panel's of the panel's window).
struct NativeControl {
    HWND window = nullptr;
};

// The window behind a control or form; null while it has none.
inline HWND windowHandle(const TControl &control)
{
    return control.native().window;
}
