#pragma once

#include "toolkit/forms/tnotifyevent.h"

#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QMenu;
class TForm;

// A menu entry. An entry on the menu bar opens its drop-down of entries;
// an entry in a drop-down raises its click event. Captions keep their
// ampersands: the letter after one is the entry's keyboard mnemonic.
class TMenuItem : public QObject {
public:
    QString Caption() const;
    TNotifyEvent OnClick;

    // Adds an entry at the end of this entry's drop-down.
    TMenuItem *Add(const QString &caption);

    int Count() const;
    TMenuItem *Items(int index) const;

    // The Qt action behind the entry (what a click triggers).
    QAction *action() const { return m_action; }

private:
    friend class TMainMenu;
    TMenuItem(QObject *owner, QAction *action, QMenu *dropDown);

    QAction *m_action;
    QMenu *m_dropDown;
    std::vector<TMenuItem *> m_items; // owned as Qt children
};

// The main menu: the form's menu bar, standing above its client area.
class TMainMenu : public QObject {
public:
    explicit TMainMenu(TForm *form);

    // Adds an entry at the end of the menu bar.
    TMenuItem *Add(const QString &caption);

    int Count() const;
    TMenuItem *Items(int index) const;

private:
    TForm *m_form;
    std::vector<TMenuItem *> m_items; // owned as Qt children
};
