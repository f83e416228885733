#pragma once

#include "toolkit/forms/tcontrol.h"

#include <string>

// Panel with a raised bevel and its own caption centred in it. Its
// children lie on top of it; the caption shows where they leave room.
class TPanel : public TWinControl {
public:
    TPanel(TWinControl *parent, const TBounds &bounds, const std::string &caption);

    const std::string &Caption() const { return m_caption; }

private:
    std::string m_caption;
};
