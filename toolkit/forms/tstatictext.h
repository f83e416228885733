#pragma once

#include "toolkit/forms/tcontrol.h"

#include <string>

// Static text: shows its caption as plain text, blanks kept, and never
// takes the keyboard focus.
class TStaticText : public TControl {
public:
    TStaticText(TWinControl *parent, const TBounds &bounds, const std::string &caption);

    const std::string &Caption() const { return m_caption; }

private:
    std::string m_caption;
};
