#pragma once

#include "toolkit/forms/click_tracker.h"

#include "toolkit/forms/image_content.h"
#include "toolkit/forms/tbounds.h"
#include "toolkit/forms/tnotifyevent.h"

#include <QWidget>

#include <memory>

// Image control: shows its picture at natural size at the top left of its
// box, neither stretched nor centred; what the picture leaves uncovered
// shows the parent's background. Owns its picture.
class TImage : public QWidget {
public:
    TImage(QWidget *parent, const TBounds &bounds);

    void SetPicture(std::unique_ptr<ImageContent> picture);
    const ImageContent *Picture() const { return m_picture.get(); }

    // Click on the picture's box (a press and a release inside it).
    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::unique_ptr<ImageContent> m_picture;
    ClickTracker m_click;
};
