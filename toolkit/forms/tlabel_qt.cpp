#include "toolkit/forms/tlabel.h"

#include "toolkit/forms/click_tracker_qt.h"
#include "toolkit/forms/handler_guard.h"
#include "toolkit/forms/qt_native.h"

#include <QLabel>

TLabel::TLabel(TWinControl *parent, const TPoint &position, const std::string &caption)
    : TControl(parent, {position.x, position.y, 0, 0})
    , m_caption(caption)
{
    auto *label = new ClickableWidget<QLabel>([this] { Click(); }, qtChildArea(*parent));
    label->setTextFormat(Qt::PlainText);
    label->setFocusPolicy(Qt::NoFocus);
    label->setText(qtText(caption));
    label->move(position.x, position.y);
    label->adjustSize();
    auto native = std::make_unique<NativeControl>(label, nullptr);
    native->sizesToText = true;
    adoptNative(std::move(native));
    setBoundsSize(label->width(), label->height());
}

void TLabel::Click()
{
    callHandler(OnClick, this);
}
