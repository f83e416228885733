#include "toolkit/forms/tcheckbox.h"

TCheckBox::TCheckBox(QWidget *parent, const TBounds &bounds, const QString &caption)
    : QCheckBox(caption, parent)
{
    placeControl(*this, bounds);
}
