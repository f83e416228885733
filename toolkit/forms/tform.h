#pragma once

#include "toolkit/forms/tcontrol.h"
#include "toolkit/forms/tgeometry.h"

#include <string>

class TIcon;
class TMainMenu;

// The fixed layout data a form is built from. Exactly one of the two sizes
// is given: the client area (what lies under the menu bar) or the outer
// size (the whole window with its border and title bar).
struct TFormLayout {
    std::string caption;
    TSize clientSize;
    TSize outerSize;
    TPoint position;
    const TIcon *icon = nullptr;
};

// A window, built hidden. Its controls (made with the form as their parent)
// sit in its client area at fixed places: nothing moves or stretches when
// the window is resized, and no scroll bars appear when it is made smaller.
// Closing the main form ends the event loop; closing any other form only
// hides it, keeping its place and size.
class TForm : public TWinControl {
public:
    explicit TForm(const TFormLayout &layout);
    ~TForm() override;

    const std::string &Caption() const { return m_caption; }

    // Shows the form modeless (true) or hides it (false).
    void SetVisible(bool visible);
    bool Visible() const;

    // Gives the focus order: the controls ordered by their TabOrder within
    // each parent, a container's children taking its place. Controls that
    // take no focus, or have no TabOrder, are passed over. Called once the
    // form's controls exist.
    void ApplyTabOrder();

    // The form's menu bar, once one was made for it (TMainMenu).
    TMainMenu *Menu() const { return m_menu; }

private:
    friend class TMainMenu;
    void menuAdded(TMainMenu *menu);

    std::string m_caption;
    TMainMenu *m_menu = nullptr;
};
