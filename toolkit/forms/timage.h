#pragma once

#include "toolkit/forms/image_content.h"
#include "toolkit/forms/tcontrol.h"

#include <memory>

// Image control: shows its picture at natural size at the top left of its
// box, neither stretched nor centred; what the picture leaves uncovered
// shows the parent's background. Owns its picture. Never focused.
class TImage : public TControl {
public:
    TImage(TWinControl *parent, const TBounds &bounds);

    void SetPicture(std::unique_ptr<ImageContent> picture);
    const ImageContent *Picture() const { return m_picture.get(); }

    // Clicks the image as the user does (a press and a release inside it).
    void Click();

    TNotifyEvent OnClick;

private:
    std::unique_ptr<ImageContent> m_picture;
};
