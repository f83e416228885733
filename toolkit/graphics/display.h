#pragma once

#include "toolkit/graphics/palette.h"

#include <cstddef>

// The screen's device context and what it tells about the display.

inline constexpr int BITSPIXEL = 12; // bits per pixel of one colour plane
inline constexpr int PLANES = 14;    // number of colour planes (always 1)

// The screen's device context; pass no window. Hand it back with ReleaseDC.
HDC GetDC(std::nullptr_t window);
int ReleaseDC(std::nullptr_t window, HDC deviceContext);

// BITSPIXEL: the primary screen's depth, or 24 when there is no screen (no
// running application, or one without screens); an override wins over both.
// PLANES: 1. Anything else, or a null device context: 0.
int GetDeviceCaps(HDC deviceContext, int index);

// The display's bits per pixel (bits per plane times planes), asked of the
// screen's device context.
int displayBitsPerPixel();

// Makes GetDeviceCaps report a display of the given depth for as long as it
// lives, so that tests can try 8-bit and deeper displays.
class DisplayDepthOverride {
public:
    explicit DisplayDepthOverride(int bitsPerPixel);
    ~DisplayDepthOverride();
    DisplayDepthOverride(const DisplayDepthOverride &) = delete;
    DisplayDepthOverride &operator=(const DisplayDepthOverride &) = delete;

private:
    int m_previous;
};
