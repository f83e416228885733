#include "tests/support/offscreen_surface.h"

#include "tests/support/qt_application.h"

#include <QImage>
#include <QPainter>

#include <optional>

struct OffscreenSurface::Parts {
    QImage image;
    std::optional<QPainter> painter;
};

OffscreenSurface::OffscreenSurface(int width, int height) : m_parts(std::make_unique<Parts>())
{
    m_parts->image = QImage(width, height, QImage::Format_RGB32);
    m_parts->image.fill(Qt::white);
    m_parts->painter.emplace(&m_parts->image);
}

OffscreenSurface::~OffscreenSurface() = default;

NativeSurface &OffscreenSurface::Surface()
{
    return *m_parts->painter;
}

std::uint32_t OffscreenSurface::ColourAt(int x, int y)
{
    m_parts->painter.reset();
    return m_parts->image.pixel(x, y) & 0xFFFFFFu;
}

void prepareClipboard()
{
    testApplication();
}
