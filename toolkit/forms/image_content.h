#pragma once

#include "toolkit/forms/tgeometry.h"

class TCanvas;

// What an image control shows: a picture that draws itself at its natural
// size onto the control's canvas. Any graphic kind (an icon, a bitmap, a
// compressed picture) joins by implementing these two operations.
class ImageContent {
public:
    virtual ~ImageContent() = default;

    // The picture's natural size in pixels.
    virtual TSize naturalSize() const = 0;

    // Draws the picture with its top left at `topLeft`. Called while the
    // control paints; may throw the toolkit's exceptions (the control shows
    // them once the paint is over).
    virtual void drawAt(TCanvas &canvas, const TPoint &topLeft) const = 0;
};
