#include "toolkit/forms/picture_content.h"

#include "toolkit/graphics/canvas.h"

TSize PictureContent::naturalSize() const
{
    TGraphic *graphic = m_picture.Graphic();
    return graphic ? TSize{graphic->GetWidth(), graphic->GetHeight()} : TSize{};
}

void PictureContent::drawAt(TCanvas &canvas, const TPoint &topLeft) const
{
    TGraphic *graphic = m_picture.Graphic();
    if (graphic == nullptr)
        return;
    // The graphic's own size, so that it is never stretched to the box.
    const TRect natural{topLeft.x, topLeft.y, topLeft.x + graphic->GetWidth(),
                        topLeft.y + graphic->GetHeight()};
    canvas.StretchDraw(natural, graphic);
}
