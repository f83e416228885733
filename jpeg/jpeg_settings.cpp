#include "jpeg/jpeg_settings.h"

#include "toolkit/graphics/display.h"

TJPEGSettings DefaultJPEGSettings;

void AdaptDefaultsToDisplay()
{
    DefaultJPEGSettings.OutputDepth = displayBitsPerPixel() <= 8 ? Depth8 : Depth24;
}
