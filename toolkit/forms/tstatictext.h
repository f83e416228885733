#pragma once

#include "toolkit/forms/tbounds.h"

#include <QLabel>

// Static text: shows its caption as plain text, blanks kept, and never
// takes the keyboard focus.
class TStaticText : public QLabel {
public:
    TStaticText(QWidget *parent, const TBounds &bounds, const QString &caption);
};
