#include "toolkit/forms/tmainmenu.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"
#include "toolkit/forms/handler_guard.h"
#include "toolkit/forms/tform.h"

#include <map>

namespace {

// The entries by their command identifiers, which a form's window receives
// when one is chosen.
std::map<UINT, TMenuItem *> &menuItems()
{
    static std::map<UINT, TMenuItem *> items;
    return items;
}

UINT nextMenuIdentifier()
{
    // Above IDOK and IDCANCEL, which the dialog manager sends as commands.
    static UINT identifier = 0x100;
    return identifier++;
}

// Where `item` stands in its parent menu; -1 when it is not there.
int positionOf(const TMenuItem &item)
{
    HMENU parent = item.native().parent;
    for (int position = 0; position < ::GetMenuItemCount(parent); ++position) {
        if (::GetMenuItemID(parent, position) == item.native().identifier)
            return position;
        if (item.native().dropDown && ::GetSubMenu(parent, position) == item.native().dropDown)
            return position;
    }
    return -1;
}

HWND formWindowOf(const TComponent *component)
{
    while (component && !dynamic_cast<const TMainMenu *>(component))
        component = component->Owner();
    const auto *menu = static_cast<const TMainMenu *>(component);
    return menu && menu->Form() ? windowHandle(*menu->Form()) : nullptr;
}

} // namespace

void menuItemChosen(UINT identifier)
{
    const auto found = menuItems().find(identifier);
    if (found != menuItems().end())
        found->second->Click();
}

TMenuItem::TMenuItem(TComponent *owner, const std::string &caption, bool hasDropDown)
    : TComponent(owner)
    , m_caption(caption)
    , m_hasDropDown(hasDropDown)
    , m_native(std::make_unique<NativeMenuItem>())
{
    auto *menu = dynamic_cast<TMainMenu *>(owner);
    m_native->parent = menu ? nativeForm(*menu->Form()).menuBar : static_cast<TMenuItem *>(owner)->native().dropDown;
    m_native->identifier = nextMenuIdentifier();
    MENUITEMINFOW entry{};
    entry.cbSize = sizeof entry;
    entry.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID;
    entry.fType = MFT_STRING;
    std::wstring text = toSystemText(caption);
    entry.dwTypeData = text.data();
    entry.wID = m_native->identifier;
    if (hasDropDown) {
        m_native->dropDown = ::CreatePopupMenu();
        entry.fMask |= MIIM_SUBMENU;
        entry.hSubMenu = m_native->dropDown;
    }
    ::InsertMenuItemW(m_native->parent, static_cast<UINT>(::GetMenuItemCount(m_native->parent)), TRUE, &entry);
    menuItems()[m_native->identifier] = this;
    if (menu) {
        // A longer menu bar may take another row from the client area.
        ::DrawMenuBar(windowHandle(*menu->Form()));
        fitClientArea(*menu->Form());
    }
}

TMenuItem::~TMenuItem()
{
    destroyComponents();
    menuItems().erase(m_native->identifier);
    // Taking the entry out of its menu destroys its drop-down as well.
    if (const int position = positionOf(*this); position >= 0)
        ::DeleteMenu(m_native->parent, static_cast<UINT>(position), MF_BYPOSITION);
}

void TMenuItem::SetCaption(const std::string &caption)
{
    m_caption = caption;
    const int position = positionOf(*this);
    if (position < 0)
        return;
    MENUITEMINFOW entry{};
    entry.cbSize = sizeof entry;
    // The type again: an entry made with an empty caption may have been
    // taken for a separator.
    entry.fMask = MIIM_FTYPE | MIIM_STRING;
    entry.fType = MFT_STRING;
    std::wstring text = toSystemText(caption);
    entry.dwTypeData = text.data();
    ::SetMenuItemInfoW(m_native->parent, static_cast<UINT>(position), TRUE, &entry);
    if (HWND form = formWindowOf(this))
        ::DrawMenuBar(form);
}

void TMenuItem::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    const int position = positionOf(*this);
    if (position < 0)
        return;
    ::EnableMenuItem(m_native->parent, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    if (HWND form = formWindowOf(this))
        ::DrawMenuBar(form);
}

TMenuItem *TMenuItem::Add(const std::string &caption)
{
    if (!m_hasDropDown)
        return nullptr;
    auto *item = new TMenuItem(this, caption, false);
    m_items.push_back(item);
    return item;
}

TMenuItem *TMenuItem::Items(int index) const
{
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)] : nullptr;
}

void TMenuItem::Click()
{
    if (m_enabled && !m_hasDropDown)
        callHandler(OnClick, this);
}

TMainMenu::TMainMenu(TForm *form)
    : TComponent(form)
    , m_form(form)
{
    nativeForm(*form).menuBar = ::CreateMenu();
    form->menuAdded(this);
}

TMenuItem *TMainMenu::Add(const std::string &caption)
{
    auto *item = new TMenuItem(this, caption, true);
    m_items.push_back(item);
    return item;
}

TMenuItem *TMainMenu::Items(int index) const
{
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)] : nullptr;
}
