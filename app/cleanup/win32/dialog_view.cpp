#include "app/cleanup/win32/dialog_view.h"

#include <algorithm>
#include <exception>

#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/win32_text.h"

namespace {

// Over the middle of the window it belongs to, as far as the screen allows.
void centerOverOwner(HWND dialog)
{
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !IsWindowVisible(owner))
        return;  // the template centres it on the screen
    RECT ownerRect;
    RECT rect;
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(dialog, &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT &area = monitor.rcWork;
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    const LONG x = std::clamp((ownerRect.left + ownerRect.right - width) / 2, area.left, std::max(area.left, area.right - width));
    const LONG y = std::clamp((ownerRect.top + ownerRect.bottom - height) / 2, area.top, std::max(area.top, area.bottom - height));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

INT_PTR DialogView::run(HWND owner, int templateId)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, procedure,
                           reinterpret_cast<LPARAM>(this));
}

void DialogView::setTitleAndFirstLine(const char *title, const std::string &firstLine)
{
    setControlText(m_dialog, title);
    setFieldLines(item(IDC_FIRST_LINE), firstLine);
}

bool DialogView::command(int id, int)
{
    if (id != IDCANCEL)
        return false;
    close(IDCANCEL);
    return true;
}

bool DialogView::notify(const NMHDR &, LRESULT &)
{
    return false;
}

INT_PTR CALLBACK DialogView::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto *view = reinterpret_cast<DialogView *>(lParam);
        view->m_dialog = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    auto *view = reinterpret_cast<DialogView *>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!view)
        return FALSE;
    // No exception may cross the system's code that called this procedure.
    try {
        return view->handle(message, wParam, lParam);
    } catch (const std::exception &error) {
        MessageBoxW(dialog, wideText(error.what()).c_str(), nullptr, MB_OK | MB_ICONERROR);
    }
    return TRUE;
}

INT_PTR DialogView::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (GetWindowLongPtrW(m_dialog, GWL_STYLE) & WS_THICKFRAME)
            m_layout.capture(m_dialog, item(IDC_LIST));
        centerOverOwner(m_dialog);
        initialize();
        // initialize() put the focus where the user starts.
        return FALSE;
    case WM_SIZE:
        m_layout.resize(m_dialog);
        return TRUE;
    case WM_GETMINMAXINFO:
        m_layout.limit(*reinterpret_cast<MINMAXINFO *>(lParam));
        return TRUE;
    case WM_COMMAND:
        return command(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!notify(*reinterpret_cast<const NMHDR *>(lParam), result))
            return FALSE;
        SetWindowLongPtrW(m_dialog, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
    return FALSE;
}
