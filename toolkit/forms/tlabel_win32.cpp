#include "toolkit/forms/tlabel.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"
#include "toolkit/forms/handler_guard.h"

namespace {

const UINT textFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

HFONT shownFont(const NativeControl &native)
{
    return native.ownFont ? native.ownFont : toolkitFontHandle();
}

// The size of `text` in the control's font, in screen pixels.
SIZE textSize(const NativeControl &native, const std::wstring &text)
{
    HDC context = ::GetDC(native.window);
    HGDIOBJ previous = ::SelectObject(context, shownFont(native));
    RECT box{0, 0, 0, 0};
    ::DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &box, textFormat | DT_CALCRECT);
    ::SelectObject(context, previous);
    ::ReleaseDC(native.window, context);
    return {box.right - box.left, box.bottom - box.top};
}

} // namespace

TLabel::TLabel(TWinControl *parent, const TPoint &position, const std::string &caption)
    : TControl(parent, {position.x, position.y, 0, 0})
    , m_caption(caption)
{
    auto native = createControlWindow(*this, Bounds(), paintedControlClass(), 0, 0, caption);
    const std::wstring text = toSystemText(caption);
    native->paint = [this, text](HDC context) {
        // The window's own background shows through: the parent's colour.
        ::SetBkMode(context, TRANSPARENT);
        ::SetTextColor(context, Font().color == clDefault ? ::GetSysColor(COLOR_WINDOWTEXT)
                                                          : static_cast<COLORREF>(Font().color));
        HGDIOBJ previous = ::SelectObject(context, shownFont(this->native()));
        RECT box;
        ::GetClientRect(windowHandle(*this), &box);
        ::DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &box, textFormat);
        ::SelectObject(context, previous);
    };
    native->fontChanged = [this, text] {
        const SIZE size = textSize(this->native(), text);
        ::SetWindowPos(windowHandle(*this), nullptr, 0, 0, size.cx, size.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        setBoundsSize(layoutPixels(size.cx), layoutPixels(size.cy));
    };
    native->click = [this] { Click(); };
    adoptNative(std::move(native));
    this->native().fontChanged();
}

void TLabel::Click()
{
    callHandler(OnClick, this);
}
