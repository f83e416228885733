#include "tests/support/offscreen_surface.h"

#include <stdexcept>

#include <windows.h>

struct OffscreenSurface::Parts {
    HDC context = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t *pixels = nullptr; // top-down rows of 0x00RRGGBB
    int width = 0;
    ~Parts()
    {
        ::SelectObject(context, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(context);
    }
};

OffscreenSurface::OffscreenSurface(int width, int height) : m_parts(std::make_unique<Parts>())
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    m_parts->bitmap = ::CreateDIBSection(m_parts->context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_parts->bitmap == nullptr)
        throw std::runtime_error("cannot make an offscreen surface");
    m_parts->previous = ::SelectObject(m_parts->context, m_parts->bitmap);
    m_parts->pixels = static_cast<std::uint32_t *>(bits);
    m_parts->width = width;
    ::PatBlt(m_parts->context, 0, 0, width, height, WHITENESS);
}

OffscreenSurface::~OffscreenSurface() = default;

NativeSurface &OffscreenSurface::Surface()
{
    return *m_parts->context;
}

std::uint32_t OffscreenSurface::ColourAt(int x, int y)
{
    ::GdiFlush();
    return m_parts->pixels[y * m_parts->width + x] & 0xFFFFFFu;
}

// The system clipboard needs nothing beforehand.
void prepareClipboard()
{
}
