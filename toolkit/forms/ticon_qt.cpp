#include "toolkit/forms/ticon.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/graphics/canvas.h"

#include <QPainter>

void TIcon::LoadFromFile(const std::string &fileName)
{
    QImage image;
    if (!image.load(qtText(fileName)))
        throw EInvalidGraphic("Cannot load the icon picture " + fileName);
    m_native = std::make_shared<const NativeIcon>(NativeIcon{image});
}

bool TIcon::Empty() const
{
    return qtImage(*this).isNull();
}

int TIcon::Width() const
{
    return qtImage(*this).width();
}

int TIcon::Height() const
{
    return qtImage(*this).height();
}

TSize TIcon::naturalSize() const
{
    return {Width(), Height()};
}

void TIcon::drawAt(TCanvas &canvas, const TPoint &topLeft) const
{
    canvas.Surface().drawImage(QPoint(topLeft.x, topLeft.y), qtImage(*this));
}

const QImage &qtImage(const TIcon &icon)
{
    static const QImage none;
    return icon.native() ? icon.native()->image : none;
}
