#include "toolkit/forms/tcheckbox.h"

#include "toolkit/forms/control_window_win32.h"

TCheckBox::TCheckBox(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TControl(parent, bounds)
{
    auto native = createControlWindow(*this, bounds, L"BUTTON", BS_AUTOCHECKBOX, 0, caption);
    native->takesFocus = true;
    adoptNative(std::move(native));
}

bool TCheckBox::Checked() const
{
    return ::SendMessageW(windowHandle(*this), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    ::SendMessageW(windowHandle(*this), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
