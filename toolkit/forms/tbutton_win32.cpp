#include "toolkit/forms/tbutton.h"

#include "toolkit/forms/control_window_win32.h"
#include "toolkit/forms/handler_guard.h"

TButton::TButton(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TControl(parent, bounds)
    , m_caption(caption)
{
    // A plain push button, never the default one.
    auto native = createControlWindow(*this, bounds, L"BUTTON", BS_PUSHBUTTON, 0, caption);
    native->takesFocus = true;
    native->command = [this](WORD notification) {
        if (notification == BN_CLICKED)
            Click();
    };
    adoptNative(std::move(native));
}

void TButton::Click()
{
    callHandler(OnClick, this);
}
