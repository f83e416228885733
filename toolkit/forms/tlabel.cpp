#include "toolkit/forms/tlabel.h"

#include "toolkit/forms/handler_guard.h"

#include <QMouseEvent>

TLabel::TLabel(QWidget *parent, const QPoint &position, const QString &caption)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setText(caption);
    move(position);
    adjustSize();
}

void TLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void TLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (clicked)
        callHandler(OnClick, this);
}
