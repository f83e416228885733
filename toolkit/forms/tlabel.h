#pragma once

#include "toolkit/forms/tcontrol.h"
#include "toolkit/forms/tgeometry.h"

#include <string>

// Label: plain text that sizes itself to its text (again when its font
// changes), painted on its parent's background, never focused, with a
// click event.
class TLabel : public TControl {
public:
    TLabel(TWinControl *parent, const TPoint &position, const std::string &caption);

    const std::string &Caption() const { return m_caption; }

    // Clicks the label as the user does (a press and a release inside it).
    void Click();

    TNotifyEvent OnClick;

private:
    std::string m_caption;
};
