#pragma once

#include "toolkit/forms/image_content.h"
#include "toolkit/graphics/picture.h"

// What an image control shows when it holds a graphic of the graphic
// framework (a bitmap, a JPEG picture...): the picture container, drawn
// through a canvas at the graphic's natural size. A graphic that computes
// its pixels on demand does so on the first paint.
class PictureContent : public ImageContent {
public:
    // The picture the control draws; load or read it here. Owned by this
    // content, so by the control that holds the content.
    TPicture &Picture() { return m_picture; }
    const TPicture &Picture() const { return m_picture; }

    // The graphic's width and height; empty without a graphic.
    TSize naturalSize() const override;
    // Draws the graphic unscaled with its top left at topLeft; nothing
    // without a graphic. Whatever the graphic's drawing throws (a picture
    // that cannot be decoded) passes on to the control.
    void drawAt(TCanvas &canvas, const TPoint &topLeft) const override;

private:
    TPicture m_picture;
};
