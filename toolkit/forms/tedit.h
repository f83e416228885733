#pragma once

#include "toolkit/forms/tbounds.h"

#include <QLineEdit>

#include <string>

// One-line edit. Text crosses as the program's 8-bit strings (file-system
// paths in the locale's encoding).
class TEdit : public QLineEdit {
public:
    TEdit(QWidget *parent, const TBounds &bounds);

    // Read-only: still focusable and selectable, not editable.
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

    void SetText(const std::string &text);
    std::string Text() const;
};
