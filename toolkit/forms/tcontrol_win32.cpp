#include "toolkit/forms/control_window_win32.h"

void NativeControlDeleter::operator()(NativeControl *native) const noexcept
{
    delete native;
}

void TControl::SetFont(const TFontStyle &style)
{
    m_font = style;
    if (!m_native || !m_native->window)
        return;
    HFONT previous = m_native->ownFont;
    m_native->ownFont = style.bold || style.underline ? createStyledFont(style) : nullptr;
    HFONT shown = m_native->ownFont ? m_native->ownFont : toolkitFontHandle();
    ::SendMessageW(m_native->window, WM_SETFONT, reinterpret_cast<WPARAM>(shown), TRUE);
    if (previous)
        ::DeleteObject(previous);
    if (m_native->fontChanged)
        m_native->fontChanged();
    ::InvalidateRect(m_native->window, nullptr, TRUE);
}

void TControl::SetCursor(TCursor cursor)
{
    // The window holding the control shows it (control_window_win32.cpp).
    m_cursor = cursor;
}

bool TControl::TakesFocus() const
{
    return m_native && m_native->takesFocus;
}

void TControl::nameChanged()
{
    // Windows keeps no name for a window beside its text.
}
