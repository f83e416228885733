#include "toolkit/forms/tpanel.h"

#include "toolkit/forms/qt_native.h"

#include <QFrame>
#include <QPainter>

namespace {

// A raised frame with its caption drawn centred under its children.
class PanelWidget : public QFrame {
public:
    PanelWidget(const QString &caption, QWidget *parent) : QFrame(parent), m_caption(caption) {}

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(contentsRect(), Qt::AlignCenter, m_caption);
    }

private:
    QString m_caption;
};

} // namespace

TPanel::TPanel(TWinControl *parent, const TBounds &bounds, const std::string &caption)
    : TWinControl(parent, bounds)
    , m_caption(caption)
{
    auto *panel = new PanelWidget(qtText(caption), qtChildArea(*parent));
    adoptNative(placedControl(panel, bounds));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::Button);
    panel->setFocusPolicy(Qt::NoFocus);
}
