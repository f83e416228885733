#include "toolkit/forms/tedit.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"

TEdit::TEdit(TWinControl *parent, const TBounds &bounds)
    : TControl(parent, bounds)
{
    auto native = createControlWindow(*this, bounds, L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, std::string());
    native->takesFocus = true;
    native->windowBackground = true;
    adoptNative(std::move(native));
}

void TEdit::SetReadOnly(bool readOnly)
{
    ::SendMessageW(windowHandle(*this), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

bool TEdit::ReadOnly() const
{
    return (::GetWindowLongPtrW(windowHandle(*this), GWL_STYLE) & ES_READONLY) != 0;
}

void TEdit::SetText(const std::string &text)
{
    ::SetWindowTextW(windowHandle(*this), toSystemText(text).c_str());
}

std::string TEdit::Text() const
{
    return windowText(windowHandle(*this));
}
