#pragma once

#include "toolkit/forms/tbounds.h"

#include <QCheckBox>

// Check box whose checked state the program reads.
class TCheckBox : public QCheckBox {
public:
    TCheckBox(QWidget *parent, const TBounds &bounds, const QString &caption = QString());

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
};
