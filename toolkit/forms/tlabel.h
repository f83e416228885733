#pragma once

#include "toolkit/forms/click_tracker.h"

#include "toolkit/forms/tnotifyevent.h"

#include <QLabel>
#include <QPoint>

// Label: plain text that sizes itself to its text, painted on its parent's
// background, never focused, with a click event.
class TLabel : public QLabel {
public:
    TLabel(QWidget *parent, const QPoint &position, const QString &caption);

    // Click on the label (a press and a release inside it).
    TNotifyEvent OnClick;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ClickTracker m_click;
};
