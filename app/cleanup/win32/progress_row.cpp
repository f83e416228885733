#include "app/cleanup/win32/progress_row.h"

#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/win32_text.h"

namespace {

bool isInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

void handleWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that waits for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (isInput(message.message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

ProgressRow::ProgressRow(HWND dialog, const char *label)
    : m_dialog(dialog)
    , m_focus(GetFocus())
{
    setControlText(GetDlgItem(dialog, IDC_PROGRESS_LABEL), label);
    SendDlgItemMessageW(dialog, IDC_PROGRESS, PBM_SETPOS, 0, 0);
    ShowWindow(GetDlgItem(dialog, IDC_PROGRESS_LABEL), SW_SHOW);
    ShowWindow(GetDlgItem(dialog, IDC_PROGRESS), SW_SHOW);
    EnableWindow(dialog, FALSE);
    UpdateWindow(dialog);
}

ProgressRow::~ProgressRow()
{
    ShowWindow(GetDlgItem(m_dialog, IDC_PROGRESS_LABEL), SW_HIDE);
    ShowWindow(GetDlgItem(m_dialog, IDC_PROGRESS), SW_HIDE);
    EnableWindow(m_dialog, TRUE);
    if (m_focus)
        SetFocus(m_focus);
}

void ProgressRow::show(std::size_t done, std::size_t total)
{
    const HWND bar = GetDlgItem(m_dialog, IDC_PROGRESS);
    SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    handleWaitingMessages();
}
