#include "toolkit/forms/tapplication.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"
#include "toolkit/forms/system_error_box.h"
#include "toolkit/forms/tform.h"

#include <commctrl.h>

namespace {

// The dialog manager moves the focus with Tab and the arrow keys inside
// each of our forms; everything else is translated and dispatched.
void dispatch(MSG &message)
{
    HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && dynamic_cast<TForm *>(controlOfWindow(root)) && ::IsDialogMessageW(root, &message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

} // namespace

void showSystemErrorBox(const std::string &caption, const std::string &message)
{
    ::MessageBoxW(::GetActiveWindow(), toSystemText(message).c_str(), toSystemText(caption).c_str(),
                  MB_ICONERROR | MB_OK);
}

TApplication::TApplication(int &, char **)
    : m_native(std::make_unique<NativeApplication>())
{
    Application = this;
}

TApplication::~TApplication()
{
    releaseForms();
}

void TApplication::Initialize()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

void TApplication::SetProgramIdentity(const std::string &, const std::string &)
{
    // The program file's version record and icon resource say both.
}

void TApplication::Run()
{
    if (!m_mainForm)
        return;
    m_mainForm->SetVisible(true);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the event loop, which ends on it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}
