#pragma once

#include "toolkit/forms/tcontrol.h"

#include <string>

// One-line edit.
class TEdit : public TControl {
public:
    TEdit(TWinControl *parent, const TBounds &bounds);

    // Read-only: still focusable and selectable, not editable.
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const;

    void SetText(const std::string &text);
    std::string Text() const;
};
