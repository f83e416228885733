#include "jpeg/jpegsettings.h"

#include "toolkit/graphics/display.h"

TJPEGSettings DefaultJPEGSettings;

void AdaptDefaultsToDisplay()
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    DefaultJPEGSettings.OutputDepth = bits <= 8 ? Depth8 : Depth24;
    ReleaseDC(nullptr, screen);
}
