#pragma once

#include "toolkit/graphics/rect.h"

class TGraphic;

// What the platform draws on: a QPainter with Qt, a device context (the
// object an HDC points at) on Windows.
#ifdef _WIN32
struct HDC__;
using NativeSurface = HDC__;
#else
class QPainter;
using NativeSurface = QPainter;
#endif

// A drawing surface: a thin face over a native surface that the caller owns
// and keeps ready for drawing while the canvas is used.
class TCanvas {
public:
    explicit TCanvas(NativeSurface &surface) : m_surface(surface) {}
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    // Draws graphic scaled to fill rect (the graphic's own Draw does the
    // work); a null graphic draws nothing.
    void StretchDraw(const TRect &rect, TGraphic *graphic);

    NativeSurface &Surface() { return m_surface; }

private:
    NativeSurface &m_surface;
};
