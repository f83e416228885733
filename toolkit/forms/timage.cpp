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
    m_pressed = event->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (clicked)
        callHandler(OnClick, this);
}
