#include "toolkit/forms/tform.h"

#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/tapplication.h"
#include "toolkit/forms/ticon.h"
#include "toolkit/forms/toolkit_font_qt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

// The form's window: ends the event loop when the main form closes, and
// gives the outer size once the frame is known.
class FormWindow : public QMainWindow {
public:
    FormWindow(const TForm &form, const TFormLayout &layout)
        : m_form(form)
        , m_clientSize(layout.clientSize)
        , m_outerSize(layout.outerSize)
    {
    }

    void applySize()
    {
        if (!m_clientSize.IsEmpty()) {
            const QWidget *menu = menuWidget();
            const int menuHeight = menu ? menu->sizeHint().height() : 0;
            resize(m_clientSize.width, m_clientSize.height + menuHeight);
        } else if (!m_outerSize.IsEmpty()) {
            resize(m_outerSize.width, m_outerSize.height);
        }
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QMainWindow::showEvent(event);
        // The frame's thickness is known only once the platform window exists.
        if (!m_outerSizeApplied && !m_outerSize.IsEmpty() && windowHandle()) {
            m_outerSizeApplied = true;
            const QMargins frame = windowHandle()->frameMargins();
            resize(m_outerSize.width - frame.left() - frame.right(),
                   m_outerSize.height - frame.top() - frame.bottom());
        }
    }

    void closeEvent(QCloseEvent *event) override
    {
        event->accept();
        if (Application && Application->MainForm() == &m_form)
            QCoreApplication::exit(0);
    }

private:
    const TForm &m_form;
    TSize m_clientSize;
    TSize m_outerSize;
    bool m_outerSizeApplied = false;
};

void collectTabStops(const TWinControl &parent, std::vector<QWidget *> &stops)
{
    std::vector<TControl *> ordered;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        if (parent.Controls(i)->TabOrder() >= 0)
            ordered.push_back(parent.Controls(i));
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const TControl *a, const TControl *b) { return a->TabOrder() < b->TabOrder(); });
    for (const TControl *control : ordered) {
        if (control->TakesFocus())
            stops.push_back(qtWidget(*control));
        if (const auto *container = dynamic_cast<const TWinControl *>(control))
            collectTabStops(*container, stops);
    }
}

TBounds formBounds(const TFormLayout &layout)
{
    const TSize size = layout.clientSize.IsEmpty() ? layout.outerSize : layout.clientSize;
    return {layout.position.x, layout.position.y, size.width, size.height};
}

} // namespace

QMainWindow *qtWindow(const TForm &form)
{
    return static_cast<QMainWindow *>(qtWidget(form));
}

TForm::TForm(const TFormLayout &layout)
    : TWinControl(nullptr, formBounds(layout))
    , m_caption(layout.caption)
{
    auto window = std::make_unique<FormWindow>(*this, layout);
    auto *client = new QWidget(window.get());
    window->setWindowTitle(qtText(layout.caption));
    if (layout.icon)
        window->setWindowIcon(QIcon(QPixmap::fromImage(qtImage(*layout.icon))));
    client->setFont(toolkitFont());
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);
    window->setCentralWidget(client);
    window->move(layout.position.x, layout.position.y);
    window->applySize();
    adoptNative(std::make_unique<NativeControl>(window.release(), client));
}

TForm::~TForm() = default;

void TForm::SetVisible(bool visible)
{
    qtWidget(*this)->setVisible(visible);
}

bool TForm::Visible() const
{
    return qtWidget(*this)->isVisible();
}

void TForm::menuAdded(TMainMenu *menu)
{
    m_menu = menu;
    // The client area keeps its size under the menu bar.
    static_cast<FormWindow *>(qtWindow(*this))->applySize();
}

void TForm::ApplyTabOrder()
{
    std::vector<QWidget *> stops;
    collectTabStops(*this, stops);
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}
