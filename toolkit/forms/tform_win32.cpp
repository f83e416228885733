#include "toolkit/forms/tform.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"
#include "toolkit/forms/tapplication.h"
#include "toolkit/forms/ticon.h"

#include <algorithm>
#include <vector>

namespace {

const DWORD formStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

bool isMainForm(const TControl *form)
{
    return Application && Application->MainForm() == form;
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (handleMessageForChildren(window, message, wParam, lParam, result))
        return result;
    TControl *form = controlOfWindow(window);
    if (!form)
        return ::DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0)
            menuItemChosen(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // The main form ends the event loop; the application then destroys
        // the forms. Any other form is only hidden, keeping its place.
        if (isMainForm(form))
            ::PostQuitMessage(0);
        else
            ::ShowWindow(window, SW_HIDE);
        return 0;
    case WM_ACTIVATE:
        // Coming back to the form gives the focus back to the control that
        // had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = ::GetFocus();
            if (focused && ::IsChild(window, focused))
                nativeForm(*form).lastFocus = focused;
            return 0;
        }
        if (HWND previous = nativeForm(*form).lastFocus; previous && ::IsWindow(previous)) {
            ::SetFocus(previous);
            return 0;
        }
        // The first time, the first control in the focus order takes it, as
        // in a dialog: keys sent to the bare form would reach no control.
        if (HWND first = ::GetNextDlgTabItem(window, nullptr, FALSE)) {
            ::SetFocus(first);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

const wchar_t *formClass()
{
    static const wchar_t *const name = [] {
        registerControlClass(L"VorrelForm", formProcedure);
        return L"VorrelForm";
    }();
    return name;
}

TBounds formBounds(const TFormLayout &layout)
{
    const TSize size = layout.clientSize.IsEmpty() ? layout.outerSize : layout.clientSize;
    return {layout.position.x, layout.position.y, size.width, size.height};
}

} // namespace

void fitClientArea(const TControl &form)
{
    HWND window = windowHandle(form);
    const SIZE wanted = nativeForm(form).clientSize;
    if (wanted.cx <= 0 || wanted.cy <= 0)
        return;
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    RECT outer;
    ::GetClientRect(window, &client);
    ::GetWindowRect(window, &outer);
    const int width = outer.right - outer.left + wanted.cx - client.right;
    const int height = outer.bottom - outer.top + wanted.cy - client.bottom;
    ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// Places the children of `parent` for the dialog manager, which moves the
// focus along the window order: the controls with a tab order by that
// order, each one that takes the focus a tab stop, a container standing
// for its own children. Controls outside the focus order lie above them,
// later ones over earlier ones; the containers stay under what covers them.
void applyTabOrder(const TWinControl &parent)
{
    std::vector<TControl *> ordered;
    std::vector<TControl *> outside;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl *child = parent.Controls(i);
        const bool container = dynamic_cast<TWinControl *>(child) != nullptr;
        if (child->TabOrder() >= 0 && (child->TakesFocus() || container))
            ordered.push_back(child);
        else
            outside.push_back(child);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const TControl *a, const TControl *b) { return a->TabOrder() < b->TabOrder(); });

    std::vector<TControl *> topToBottom(outside.rbegin(), outside.rend());
    topToBottom.insert(topToBottom.end(), ordered.begin(), ordered.end());
    HWND above = HWND_TOP;
    for (TControl *child : topToBottom) {
        HWND window = windowHandle(*child);
        const bool tabStop = child->TakesFocus() && child->TabOrder() >= 0;
        const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
        ::SetWindowLongPtrW(window, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        ::SetWindowPos(window, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = window;
        if (auto *container = dynamic_cast<TWinControl *>(child))
            applyTabOrder(*container);
    }
}

} // namespace

TForm::TForm(const TFormLayout &layout)
    : TWinControl(nullptr, formBounds(layout))
    , m_caption(layout.caption)
{
    auto native = std::make_unique<NativeForm>();
    const TBounds bounds = formBounds(layout);
    RECT outer{0, 0, screenPixels(bounds.width), screenPixels(bounds.height)};
    if (!layout.clientSize.IsEmpty()) {
        native->clientSize = {outer.right, outer.bottom};
        ::AdjustWindowRectEx(&outer, formStyle, FALSE, 0);
    }
    native->window = ::CreateWindowExW(0, formClass(), toSystemText(layout.caption).c_str(), formStyle,
                                       screenPixels(bounds.left), screenPixels(bounds.top), outer.right - outer.left,
                                       outer.bottom - outer.top, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                       nullptr);
    if (!native->window)
        throw Exception("Cannot create the window \"" + layout.caption + "\" (system error " +
                        std::to_string(::GetLastError()) + ")");
    tieWindowToControl(native->window, *this);
    if (layout.icon && layout.icon->native()) {
        const LPARAM icon = reinterpret_cast<LPARAM>(layout.icon->native()->icon);
        ::SendMessageW(native->window, WM_SETICON, ICON_BIG, icon);
        ::SendMessageW(native->window, WM_SETICON, ICON_SMALL, icon);
    }
    native->takesFocus = true;
    adoptNative(std::move(native));
}

TForm::~TForm() = default;

void TForm::SetVisible(bool visible)
{
    HWND window = windowHandle(*this);
    if (!visible) {
        ::ShowWindow(window, SW_HIDE);
        return;
    }
    // A form already shown stays where it is in the window order.
    if (::IsWindowVisible(window))
        return;
    fitClientArea(*this);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
}

bool TForm::Visible() const
{
    return ::IsWindowVisible(windowHandle(*this)) != FALSE;
}

void TForm::ApplyTabOrder()
{
    applyTabOrder(*this);
}

void TForm::menuAdded(TMainMenu *menu)
{
    m_menu = menu;
    ::SetMenu(windowHandle(*this), nativeForm(*this).menuBar);
    fitClientArea(*this);
}
