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
    m_click.pressed(*event);
}

void TLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.released(*event, *this))
        callHandler(OnClick, this);
}
