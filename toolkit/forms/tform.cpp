#include "toolkit/forms/tform.h"

#include "toolkit/forms/tapplication.h"
#include "toolkit/forms/ticon.h"
#include "toolkit/forms/toolkit_font.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

const char tabOrderProperty[] = "vorrelTabOrder";

void collectTabStops(QWidget *parent, std::vector<QWidget *> &stops)
{
    std::vector<QWidget *> ordered;
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && widget->property(tabOrderProperty).isValid())
            ordered.push_back(widget);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](QWidget *a, QWidget *b) {
        return a->property(tabOrderProperty).toInt() < b->property(tabOrderProperty).toInt();
    });
    for (QWidget *widget : ordered) {
        if (widget->focusPolicy() & Qt::TabFocus)
            stops.push_back(widget);
        collectTabStops(widget, stops);
    }
}

} // namespace

void setTabOrderNumber(QWidget *control, int tabOrder)
{
    control->setProperty(tabOrderProperty, tabOrder);
}

TForm::TForm(const TFormLayout &layout)
    : m_client(new QWidget(this))
    , m_clientSize(layout.clientSize)
    , m_outerSize(layout.outerSize)
{
    setWindowTitle(layout.caption);
    if (layout.icon)
        setWindowIcon(layout.icon->toQIcon());
    m_client->setFont(toolkitFont());
    m_client->setAutoFillBackground(true);
    m_client->setBackgroundRole(QPalette::Button);
    setCentralWidget(m_client);
    move(layout.position);
    applySize();
}

void TForm::SetVisible(bool visible)
{
    setVisible(visible);
}

void TForm::menuChanged()
{
    applySize();
}

void TForm::applySize()
{
    if (m_clientSize.isValid()) {
        const QWidget *menu = menuWidget();
        const int menuHeight = menu ? menu->sizeHint().height() : 0;
        resize(m_clientSize.width(), m_clientSize.height() + menuHeight);
    } else if (m_outerSize.isValid()) {
        resize(m_outerSize);
    }
}

void TForm::ApplyTabOrder()
{
    std::vector<QWidget *> stops;
    collectTabStops(m_client, stops);
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void TForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The frame's thickness is known only once the platform window exists.
    if (!m_outerSizeApplied && m_outerSize.isValid() && windowHandle()) {
        m_outerSizeApplied = true;
        const QMargins frame = windowHandle()->frameMargins();
        resize(m_outerSize.width() - frame.left() - frame.right(),
               m_outerSize.height() - frame.top() - frame.bottom());
    }
}

void TForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (Application && Application->MainForm() == this)
        QCoreApplication::exit(0);
}
