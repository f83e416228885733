#include "toolkit/forms/tstatictext.h"

#include "toolkit/forms/qt_native.h"

#include <QLabel>

TStaticText::TStaticText(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TControl(parent, bounds)
    , m_caption(caption)
{
    auto *text = new QLabel(qtChildArea(*parent));
    adoptNative(placedControl(text, bounds));
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setFocusPolicy(Qt::NoFocus);
    text->setText(qtText(caption));
}
