#pragma once

#include "toolkit/forms/tcontrol.h"

#include <string>

// Check box whose checked state the program reads.
class TCheckBox : public TControl {
public:
    TCheckBox(TWinControl *parent, const TBounds &bounds, const std::string &caption = std::string());

    bool Checked() const;
    void SetChecked(bool checked);
};
