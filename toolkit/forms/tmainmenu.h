#pragma once

#include "toolkit/forms/tcomponent.h"

#include <memory>
#include <string>

class TForm;
class TMenuItem;

// The platform's own menu entry (a Qt action, a Windows menu item); each
// backend defines it.
struct NativeMenuItem;

// A menu entry. An entry on the menu bar opens its drop-down of entries;
// an entry in a drop-down raises its click event. Captions keep their
// ampersands: the letter after one is the entry's keyboard mnemonic ("&&"
// shows one ampersand).
class TMenuItem : public TComponent {
public:
    ~TMenuItem() override;

    const std::string &Caption() const { return m_caption; }
    void SetCaption(const std::string &caption);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    // Adds an entry at the end of this entry's drop-down; null for an
    // entry of a drop-down, which has none.
    TMenuItem *Add(const std::string &caption);

    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem *Items(int index) const;

    // Chooses the entry as the user does: raises OnClick when the entry is
    // enabled and has no drop-down.
    void Click();

    TNotifyEvent OnClick;

    NativeMenuItem &native() const { return *m_native; }

private:
    friend class TMainMenu;
    TMenuItem(TComponent *owner, const std::string &caption, bool hasDropDown);

    std::string m_caption;
    bool m_enabled = true;
    bool m_hasDropDown;
    std::vector<TMenuItem *> m_items; // owned as components
    std::unique_ptr<NativeMenuItem> m_native;
};

// The main menu: the form's menu bar, standing above its client area, which
// keeps its size.
class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TForm *form);

    // Adds an entry with a drop-down at the end of the menu bar.
    TMenuItem *Add(const std::string &caption);

    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem *Items(int index) const;

    TForm *Form() const { return m_form; }

private:
    TForm *m_form;
    std::vector<TMenuItem *> m_items; // owned as components
};
