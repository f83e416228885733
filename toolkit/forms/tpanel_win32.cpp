#include "toolkit/forms/tpanel.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"

TPanel::TPanel(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TWinControl(parent, bounds)
    , m_caption(caption)
{
    // The dialog manager's Tab goes into the panel's own controls.
    auto native = createControlWindow(*this, bounds, paintedControlClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                                      caption);
    const std::wstring text = toSystemText(caption);
    native->paint = [this, text](HDC context) {
        RECT box;
        ::GetClientRect(windowHandle(*this), &box);
        ::DrawEdge(context, &box, BDR_RAISEDINNER, BF_RECT);
        ::SetBkMode(context, TRANSPARENT);
        ::SetTextColor(context, ::GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ previous = ::SelectObject(context, toolkitFontHandle());
        ::DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &box,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(context, previous);
    };
    adoptNative(std::move(native));
}
