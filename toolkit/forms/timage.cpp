#include "toolkit/forms/timage.h"

#include "toolkit/forms/handler_guard.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent, const TBounds &bounds)
    : QWidget(parent)
{
    placeControl(*this, bounds);
    setFocusPolicy(Qt::NoFocus);
}

void TImage::SetPicture(std::unique_ptr<ImageContent> picture)
{
    m_picture = std::move(picture);
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (!m_picture)
        return;
    QPainter canvas(this);
    callDuringPaint([&] { m_picture->drawAt(canvas, QPoint(0, 0)); });
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    m_click.pressed(*event);
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.released(*event, *this))
        callHandler(OnClick, this);
}
