#include "toolkit/forms/picture_content.h"

#include "toolkit/graphics/canvas.h"

QSize PictureContent::naturalSize() const
{
    TGraphic *graphic = m_picture.Graphic();
    return graphic ? QSize(graphic->GetWidth(), graphic->GetHeight()) : QSize();
}

void PictureContent::drawAt(QPainter &canvas, const QPoint &topLeft) const
{
    TGraphic *graphic = m_picture.Graphic();
    if (graphic == nullptr)
        return;
    // The graphic's own size, so that it is never stretched to the box.
    const TRect natural{topLeft.x(), topLeft.y(), topLeft.x() + graphic->GetWidth(),
                        topLeft.y() + graphic->GetHeight()};
    TCanvas(canvas).StretchDraw(natural, graphic);
}
