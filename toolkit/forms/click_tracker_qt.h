#pragma once

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
