#include "toolkit/forms/tbutton.h"

#include "toolkit/forms/handler_guard.h"
#include "toolkit/forms/qt_native.h"

#include <QPushButton>

TButton::TButton(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TControl(parent, bounds)
    , m_caption(caption)
{
    auto *button = new QPushButton(qtText(caption), qtChildArea(*parent));
    adoptNative(placedControl(button, bounds));
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { callHandler(OnClick, this); });
}

void TButton::Click()
{
    qtWidgetAs<QPushButton>(*this)->click();
}
