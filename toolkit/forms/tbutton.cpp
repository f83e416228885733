#include "toolkit/forms/tbutton.h"

#include "toolkit/forms/handler_guard.h"

TButton::TButton(QWidget *parent, const TBounds &bounds, const QString &caption)
    : QPushButton(caption, parent)
{
    placeControl(*this, bounds);
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { callHandler(OnClick, this); });
}
