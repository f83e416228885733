#pragma once

// What the Win32 controls share: the screen's scale, the toolkit font, the
// making of a control's child window, and what a window that holds
// controls (a form, a panel) does for its children.

#include "toolkit/forms/win32_native.h"

#include <memory>
#include <string>

// Layout pixels (96 dots per inch) on this screen, and back. The scale is
// the screen's when the program started (the program is system-DPI aware):
// each window is scaled once, when it is made.
int screenPixels(int layoutPixels);
int layoutPixels(int screenPixels);

// The toolkit's font: "MS Sans Serif", 8 points, at the screen's scale;
// shared, never deleted by its users.
HFONT toolkitFontHandle();
// A font of the toolkit's face and size in the given style; the caller
// owns it (DeleteObject).
HFONT createStyledFont(const TFontStyle &style);

// Ties a window of ours to the control it stands for, and finds that
// control again (null for any other window).
void tieWindowToControl(HWND window, TControl &control);
TControl *controlOfWindow(HWND window);

// Makes `control`'s child window in its parent's window at `bounds`
// (layout pixels), shown, above the controls made before it, with the
// toolkit font, and ties it to the control.
std::unique_ptr<NativeControl> createControlWindow(TControl &control, const TBounds &bounds, const wchar_t *className,
                                                   DWORD style, DWORD exStyle, const std::string &text);

// Registers a window class of ours with that window procedure, the arrow
// pointer and the button-face background.
void registerControlClass(const wchar_t *name, WNDPROC procedure);

// The window class of the controls that paint themselves (label, panel,
// image): they paint through NativeControl::paint, report clicks through
// NativeControl::click and hold controls of their own.
const wchar_t *paintedControlClass();

// What a window holding controls does for them: hands a command on to the
// control that sent it, gives a control its text colour and background,
// and shows the hand pointer over a control that asks for it. Returns
// whether it handled the message (its result in `result`).
bool handleMessageForChildren(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result);

// The text of a window, in UTF-8.
std::string windowText(HWND window);

// Sizes a form's window so that its client area, under the menu bar
// however many rows that takes now, has the size its layout asks for
// (nothing for a layout that gave the outer size).
void fitClientArea(const TControl &form);

// The menu entry with that command identifier was chosen (a form's window
// received the command): raises its click event.
void menuItemChosen(UINT identifier);

// The working folder as the system gives it; empty when it cannot be read.
std::wstring currentFolderText();
