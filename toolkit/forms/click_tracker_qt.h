#pragma once

#include <functional>
#include <utility>

class QMouseEvent;
class QWidget;

// Tells a click on a control the way the desktop does: the left button
// pressed on it and released while still over it.
class ClickTracker {
public:
    void pressed(const QMouseEvent &event);
    // True when this release completes a click on `control`.
    bool released(const QMouseEvent &event, const QWidget &control);

private:
    bool m_pressed = false;
};

// A widget of the kind Base (a QWidget) that calls `clicked` for each click
// on it.
template <class Base>
class ClickableWidget : public Base {
public:
    ClickableWidget(std::function<void()> clicked, QWidget *parent) : Base(parent), m_clicked(std::move(clicked)) {}

protected:
    void mousePressEvent(QMouseEvent *event) override { m_click.pressed(*event); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (m_click.released(*event, *this))
            m_clicked();
    }

private:
    std::function<void()> m_clicked;
    ClickTracker m_click;
};
