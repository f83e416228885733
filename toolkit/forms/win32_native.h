#pragma once

// The Win32 side of the window classes: what stands behind a control, a
// form, a menu entry, an icon and the application on Windows. Only the
// Win32 backend and the Win32 views of the windows include it.

#include "toolkit/forms/tcontrol.h"

#include <functional>
#include <memory>

#include <windows.h>

// A control's own window. A form's `window` is its top-level window; its
// controls are children of it (a panel's of the panel's window). Owns the
// window and the control's own font, if it has one; the window goes first.
struct NativeControl {
    HWND window = nullptr;

    // What the control does with what its window reports: a command
    // notification its parent received for it (a button pressed), a paint
    // of a window of our own classes (label, panel, image, onto the device
    // context given) and a click on it (press and release inside).
    std::function<void(WORD notification)> command;
    std::function<void(HDC context)> paint;
    std::function<void()> click;
    // Runs after the control's font changed (a label sizes itself again).
    std::function<void()> fontChanged;

    // A font of the control's own (bold, underlined); null: the toolkit font.
    HFONT ownFont = nullptr;
    // An edit or memo keeps the window colour when read-only.
    bool windowBackground = false;
    bool takesFocus = false;
    // The left button went down on the control and has not come up yet.
    bool pressed = false;

    NativeControl() = default;
    NativeControl(const NativeControl &) = delete;
    NativeControl &operator=(const NativeControl &) = delete;
    virtual ~NativeControl();
};

// A form's window and what the form keeps beside it.
struct NativeForm : NativeControl {
    // The menu bar (TMainMenu); the window owns it once it is set.
    HMENU menuBar = nullptr;
    // The client area the layout asks for, in screen pixels; empty when the
    // layout gave the outer size.
    SIZE clientSize{0, 0};
    // The control that had the focus when the form was last deactivated.
    HWND lastFocus = nullptr;
};

inline NativeForm &nativeForm(const TControl &form)
{
    return static_cast<NativeForm &>(form.native());
}

// A menu entry: its place in its parent menu (the menu bar or a drop-down)
// and the drop-down it opens, if any.
struct NativeMenuItem {
    HMENU parent = nullptr;
    HMENU dropDown = nullptr;
    UINT identifier = 0;
};

// An icon picture, owned.
struct NativeIcon {
    HICON icon = nullptr;
    int width = 0;
    int height = 0;
    NativeIcon() = default;
    NativeIcon(const NativeIcon &) = delete;
    NativeIcon &operator=(const NativeIcon &) = delete;
    ~NativeIcon()
    {
        if (icon)
            ::DestroyIcon(icon);
    }
};

// Takes over an icon handle; its size is the icon's own.
std::shared_ptr<const NativeIcon> adoptIcon(HICON icon);

// The message loop keeps nothing of its own.
struct NativeApplication {};

// The window behind a control or form; null while it has none.
inline HWND windowHandle(const TControl &control)
{
    return control.native().window;
}
