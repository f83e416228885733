#include "toolkit/forms/tmainmenu.h"

#include "toolkit/forms/handler_guard.h"
#include "toolkit/forms/tform.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

TMenuItem *itemAt(const std::vector<TMenuItem *> &items, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return nullptr;
    return items[static_cast<std::size_t>(index)];
}

} // namespace

TMenuItem::TMenuItem(QObject *owner, QAction *action, QMenu *dropDown)
    : QObject(owner)
    , m_action(action)
    , m_dropDown(dropDown)
{
    if (!m_dropDown)
        connect(m_action, &QAction::triggered, this, [this] { callHandler(OnClick, this); });
}

QString TMenuItem::Caption() const
{
    return m_action->text();
}

TMenuItem *TMenuItem::Add(const QString &caption)
{
    // Entries are added when a form is built, so the drop-down exists from
    // the start for every entry that has one.
    if (!m_dropDown)
        return nullptr;
    QAction *action = m_dropDown->addAction(caption);
    m_items.push_back(new TMenuItem(this, action, nullptr));
    return m_items.back();
}

int TMenuItem::Count() const
{
    return static_cast<int>(m_items.size());
}

TMenuItem *TMenuItem::Items(int index) const
{
    return itemAt(m_items, index);
}

TMainMenu::TMainMenu(TForm *form)
    : QObject(form)
    , m_form(form)
{
    form->menuBar()->setNativeMenuBar(false);
    form->menuChanged();
}

TMenuItem *TMainMenu::Add(const QString &caption)
{
    QMenu *dropDown = m_form->menuBar()->addMenu(caption);
    m_items.push_back(new TMenuItem(this, dropDown->menuAction(), dropDown));
    m_form->menuChanged();
    return m_items.back();
}

int TMainMenu::Count() const
{
    return static_cast<int>(m_items.size());
}

TMenuItem *TMainMenu::Items(int index) const
{
    return itemAt(m_items, index);
}
