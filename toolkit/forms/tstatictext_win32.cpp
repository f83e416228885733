#include "toolkit/forms/tstatictext.h"

#include "toolkit/forms/control_window_win32.h"

TStaticText::TStaticText(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TControl(parent, bounds)
    , m_caption(caption)
{
    // Blanks and ampersands are shown as written, on one line.
    adoptNative(createControlWindow(*this, bounds, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, caption));
}
