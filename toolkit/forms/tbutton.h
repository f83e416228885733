#pragma once

#include "toolkit/forms/tcontrol.h"

#include <string>

// Push button with a click event. Never a default or cancel button: Return
// and Escape do not press it.
class TButton : public TControl {
public:
    TButton(TWinControl *parent, const TBounds &bounds, const std::string &caption);

    const std::string &Caption() const { return m_caption; }

    // Presses the button as a click of the user's does: raises OnClick.
    void Click();

    TNotifyEvent OnClick;

private:
    std::string m_caption;
};
