#include "toolkit/forms/tcheckbox.h"

#include "toolkit/forms/qt_native.h"

#include <QCheckBox>

TCheckBox::TCheckBox(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TControl(parent, bounds)
{
    adoptNative(placedControl(new QCheckBox(qtText(caption), qtChildArea(*parent)), bounds));
}

bool TCheckBox::Checked() const
{
    return qtWidgetAs<QCheckBox>(*this)->isChecked();
}

void TCheckBox::SetChecked(bool checked)
{
    qtWidgetAs<QCheckBox>(*this)->setChecked(checked);
}
