#include "app/cleanup/win32/dialog_view.h"

#include <exception>

#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/win32_text.h"

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
