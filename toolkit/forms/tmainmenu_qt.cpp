#include "toolkit/forms/tmainmenu.h"

#include "toolkit/forms/handler_guard.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/tform.h"

#include <QAction>
#include <QMainWindow>
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

NativeMenuItem::~NativeMenuItem()
{
    // A drop-down's action belongs to its menu.
    if (dropDown)
        delete dropDown.data();
    else
        delete action.data();
}

QAction *qtAction(const TMenuItem &item)
{
    return item.native().action;
}

TMenuItem::TMenuItem(TComponent *owner, const std::string &caption, bool hasDropDown)
    : TComponent(owner)
    , m_caption(caption)
    , m_hasDropDown(hasDropDown)
    , m_native(std::make_unique<NativeMenuItem>())
{
    // Entries are added when a form is built, so the drop-down exists from
    // the start for every entry that has one.
    if (hasDropDown) {
        QMenuBar *bar = qtWindow(*static_cast<TMainMenu *>(owner)->Form())->menuBar();
        m_native->dropDown = bar->addMenu(qtText(caption));
        m_native->action = m_native->dropDown->menuAction();
    } else {
        m_native->action = static_cast<TMenuItem *>(owner)->m_native->dropDown->addAction(qtText(caption));
        QObject::connect(m_native->action, &QAction::triggered, m_native->action,
                         [this] { callHandler(OnClick, this); });
    }
}

TMenuItem::~TMenuItem()
{
    // The entries of the drop-down go before it.
    destroyComponents();
}

void TMenuItem::SetCaption(const std::string &caption)
{
    m_caption = caption;
    m_native->action->setText(qtText(caption));
}

void TMenuItem::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    m_native->action->setEnabled(enabled);
}

TMenuItem *TMenuItem::Add(const std::string &caption)
{
    if (!m_hasDropDown)
        return nullptr;
    m_items.push_back(new TMenuItem(this, caption, false));
    return m_items.back();
}

TMenuItem *TMenuItem::Items(int index) const
{
    return itemAt(m_items, index);
}

void TMenuItem::Click()
{
    if (!m_hasDropDown)
        m_native->action->trigger();
}

TMainMenu::TMainMenu(TForm *form)
    : TComponent(form)
    , m_form(form)
{
    qtWindow(*form)->menuBar()->setNativeMenuBar(false);
    form->menuAdded(this);
}

TMenuItem *TMainMenu::Add(const std::string &caption)
{
    m_items.push_back(new TMenuItem(this, caption, true));
    m_form->menuAdded(this);
    return m_items.back();
}

TMenuItem *TMainMenu::Items(int index) const
{
    return itemAt(m_items, index);
}
