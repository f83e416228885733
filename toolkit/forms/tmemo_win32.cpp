#include "toolkit/forms/tmemo.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"

#include <commctrl.h>

namespace {

// A multi-line edit wants every key, Tab included; the memo's Tab moves the
// focus on instead, so the dialog manager gets it.
LRESULT CALLBACK tabMovesOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_GETDLGCODE)
        result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    return result;
}

std::wstring windowsLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return toSystemText(text);
}

} // namespace

TMemo::TMemo(TWinControl *parent, const TBounds &bounds)
    : TControl(parent, bounds)
    , m_lines(*this)
{
    // An edit made with a horizontal scroll bar scrolls long lines instead
    // of wrapping them at its width; so the bar joins once the edit exists,
    // shown always and, with nothing to scroll, disabled.
    auto native = createControlWindow(*this, bounds, L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                                      WS_EX_CLIENTEDGE, std::string());
    ::SetWindowLongPtrW(native->window, GWL_STYLE, ::GetWindowLongPtrW(native->window, GWL_STYLE) | WS_HSCROLL);
    ::SetWindowPos(native->window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::EnableScrollBar(native->window, SB_HORZ, ESB_DISABLE_BOTH);
    native->takesFocus = true;
    native->windowBackground = true;
    ::SendMessageW(native->window, EM_SETLIMITTEXT, 0, 0);
    ::SetWindowSubclass(native->window, tabMovesOn, 0, 0);
    adoptNative(std::move(native));
}

std::string TMemo::Text() const
{
    std::string text = windowText(windowHandle(*this));
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            lines += text[i];
    }
    return lines;
}

void TMemo::Repaint()
{
    ::RedrawWindow(windowHandle(*this), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TMemo::showLines(const std::vector<std::string> &lines)
{
    ::SetWindowTextW(windowHandle(*this), windowsLines(lines).c_str());
}

void TMemo::appendLine(const std::string &line, bool first)
{
    HWND window = windowHandle(*this);
    const int end = ::GetWindowTextLengthW(window);
    ::SendMessageW(window, EM_SETSEL, end, end);
    const std::wstring added = (first ? std::wstring() : std::wstring(L"\r\n")) + toSystemText(line);
    ::SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
}
