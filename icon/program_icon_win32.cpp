#include "icon/program_icon.h"

#include "toolkit/forms/ticon.h"
#include "toolkit/forms/win32_native.h"

// The program file's main icon (app/windows/vorrel.rc), the one Explorer
// shows for it. A program file without one (a test program) gets an empty
// icon: the windows then show the system's.
const TIcon &programIcon()
{
    static const TIcon icon = [] {
        HANDLE loaded = ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                     LR_DEFAULTCOLOR);
        return loaded ? TIcon(adoptIcon(static_cast<HICON>(loaded))) : TIcon();
    }();
    return icon;
}
