#include "toolkit/forms/click_tracker_qt.h"

#include <QMouseEvent>
#include <QWidget>

void ClickTracker::pressed(const QMouseEvent &event)
{
    m_pressed = event.button() == Qt::LeftButton;
}

bool ClickTracker::released(const QMouseEvent &event, const QWidget &control)
{
    const bool clicked = m_pressed && event.button() == Qt::LeftButton
        && control.rect().contains(event.position().toPoint());
    m_pressed = false;
    return clicked;
}
