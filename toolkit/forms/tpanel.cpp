#include "toolkit/forms/tpanel.h"

#include <QPainter>

TPanel::TPanel(QWidget *parent, const TBounds &bounds, const QString &caption)
    : QFrame(parent)
    , m_caption(caption)
{
    placeControl(*this, bounds);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setFocusPolicy(Qt::NoFocus);
}

void TPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(contentsRect(), Qt::AlignCenter, m_caption);
}
