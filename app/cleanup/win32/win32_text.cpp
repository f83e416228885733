#include "app/cleanup/win32/win32_text.h"

#include "toolkit/filesystem/utf16_text.h"

std::wstring wideText(std::string_view utf8)
{
    const std::u16string text = utf8ToUtf16(utf8);
    return {text.begin(), text.end()};
}

std::string utf8Text(std::wstring_view wide)
{
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::string controlText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf8Text(text);
}

void setControlText(HWND window, const std::string &text)
{
    SetWindowTextW(window, wideText(text).c_str());
}

void setFieldLines(HWND field, const std::string &text)
{
    std::string lines;
    for (const char c : text) {
        if (c == '\n' && (lines.empty() || lines.back() != '\r'))
            lines += '\r';
        lines += c;
    }
    ShowScrollBar(field, SB_VERT, FALSE);
    setControlText(field, lines);
    // A scroll bar only when the text is taller than the field.
    TEXTMETRICW metrics{};
    const HDC context = GetDC(field);
    const HGDIOBJ previous = SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(field, context);
    RECT shown{};
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
    const LRESULT lineCount = SendMessageW(field, EM_GETLINECOUNT, 0, 0);
    if (metrics.tmHeight > 0 && lineCount * metrics.tmHeight > shown.bottom - shown.top)
        ShowScrollBar(field, SB_VERT, TRUE);
}
