#include "toolkit/graphics/canvas.h"

#include "toolkit/graphics/graphic.h"

void TCanvas::StretchDraw(const TRect &rect, TGraphic *graphic)
{
    if (graphic != nullptr)
        graphic->Draw(*this, rect);
}
