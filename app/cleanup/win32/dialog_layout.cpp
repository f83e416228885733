#include "app/cleanup/win32/dialog_layout.h"

namespace {

RECT clientRect(HWND dialog, HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

} // namespace

void DialogLayout::capture(HWND dialog, HWND list)
{
    RECT client;
    GetClientRect(dialog, &client);
    m_client = {client.right, client.bottom};
    RECT window;
    GetWindowRect(dialog, &window);
    m_window = {window.right - window.left, window.bottom - window.top};

    const RECT listRect = clientRect(dialog, list);
    const LONG middle = (listRect.left + listRect.right) / 2;
    // A "..." button's width: a field beside one still counts as reaching the right.
    RECT nearRight{0, 0, 25, 0};
    MapDialogRect(dialog, &nearRight);
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        const RECT rect = clientRect(dialog, control);
        const bool followRight = rect.left > middle;
        m_controls.push_back({control, rect, followRight,
                              !followRight && rect.right >= listRect.right - nearRight.right,
                              rect.top >= listRect.bottom, control == list});
    }
}

void DialogLayout::resize(HWND dialog) const
{
    if (m_controls.empty())
        return;
    RECT client;
    GetClientRect(dialog, &client);
    const LONG dx = client.right - m_client.cx;
    const LONG dy = client.bottom - m_client.cy;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(m_controls.size()));
    for (const Placed &placed : m_controls) {
        RECT rect = placed.rect;
        if (placed.followRight)
            OffsetRect(&rect, dx, 0);
        if (placed.followBottom)
            OffsetRect(&rect, 0, dy);
        rect.right += placed.growWidth ? dx : 0;
        rect.bottom += placed.growHeight ? dy : 0;
        if (moves)
            moves = DeferWindowPos(moves, placed.control, nullptr, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves)
        EndDeferWindowPos(moves);
    InvalidateRect(dialog, nullptr, TRUE);
}

void DialogLayout::limit(MINMAXINFO &info) const
{
    if (m_window.cx > 0)
        info.ptMinTrackSize = {m_window.cx, m_window.cy};
}
