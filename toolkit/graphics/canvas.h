#pragma once

#include "toolkit/graphics/rect.h"

class QPainter;
class TGraphic;

// A drawing surface: a thin face over a QPainter that the caller owns and
// keeps active while the canvas is used.
class TCanvas {
public:
    explicit TCanvas(QPainter &painter) : m_painter(painter) {}
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    // Draws graphic scaled to fill rect (the graphic's own Draw does the
    // work); a null graphic draws nothing.
    void StretchDraw(const TRect &rect, TGraphic *graphic);

    QPainter &Painter() { return m_painter; }

private:
    QPainter &m_painter;
};
