#include "toolkit/forms/tedit.h"

TEdit::TEdit(QWidget *parent, const TBounds &bounds)
    : QLineEdit(parent)
{
    placeControl(*this, bounds);
}

void TEdit::SetText(const std::string &text)
{
    setText(QString::fromLocal8Bit(text));
}

std::string TEdit::Text() const
{
    return text().toLocal8Bit().toStdString();
}
