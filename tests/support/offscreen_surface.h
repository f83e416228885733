#pragma once

#include "toolkit/graphics/canvas.h"

#include <cstdint>
#include <memory>

// A white surface off the screen for a graphic to draw on, and the colours
// drawn: a QImage with its painter with Qt, a DIB section selected into a
// memory device context on Windows. Also readies the clipboard (Qt: the test
// program's application).
class OffscreenSurface {
public:
    OffscreenSurface(int width, int height);
    ~OffscreenSurface();
    OffscreenSurface(const OffscreenSurface &) = delete;
    OffscreenSurface &operator=(const OffscreenSurface &) = delete;

    NativeSurface &Surface();
    // 0xRRGGBB at (x, y); ends the drawing first.
    std::uint32_t ColourAt(int x, int y);

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

// Makes the clipboard usable by the test program.
void prepareClipboard();
