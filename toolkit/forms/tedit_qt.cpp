#include "toolkit/forms/tedit.h"

#include "toolkit/forms/qt_native.h"

#include <QLineEdit>

TEdit::TEdit(TWinControl *parent, const TBounds &bounds)
    : TControl(parent, bounds)
{
    adoptNative(placedControl(new QLineEdit(qtChildArea(*parent)), bounds));
}

void TEdit::SetReadOnly(bool readOnly)
{
    qtWidgetAs<QLineEdit>(*this)->setReadOnly(readOnly);
}

bool TEdit::ReadOnly() const
{
    return qtWidgetAs<QLineEdit>(*this)->isReadOnly();
}

void TEdit::SetText(const std::string &text)
{
    qtWidgetAs<QLineEdit>(*this)->setText(qtText(text));
}

std::string TEdit::Text() const
{
    return qtWidgetAs<QLineEdit>(*this)->text().toStdString();
}
