#include "toolkit/forms/tstatictext.h"

TStaticText::TStaticText(QWidget *parent, const TBounds &bounds, const QString &caption)
    : QLabel(parent)
{
    placeControl(*this, bounds);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    setText(caption);
}
