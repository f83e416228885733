#include "toolkit/forms/tlabel.h"

#include "toolkit/forms/click_tracker_qt.h"
#include "toolkit/forms/handler_guard.h"
#include "toolkit/forms/qt_native.h"

#include <QLabel>

namespace {

class LabelWidget : public QLabel {
public:
    LabelWidget(TLabel &label, QWidget *parent) : QLabel(parent), m_label(label) {}

protected:
    void mousePressEvent(QMouseEvent *event) override { m_click.pressed(*event); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (m_click.released(*event, *this))
            m_label.Click();
    }

private:
    TLabel &m_label;
    ClickTracker m_click;
};

} // namespace

TLabel::TLabel(TWinControl *parent, const TPoint &position, const std::string &caption)
    : TControl(parent, {position.x, position.y, 0, 0})
    , m_caption(caption)
{
    auto *label = new LabelWidget(*this, qtChildArea(*parent));
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
