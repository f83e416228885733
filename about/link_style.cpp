#include "about/link_style.h"

#include "toolkit/forms/tcontrol.h"

void applyLinkStyle(TControl &control)
{
    control.SetFont({.underline = true, .color = clBlue});
    control.SetCursor(TCursor::HandPoint);
}
