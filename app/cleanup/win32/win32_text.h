#pragma once

#include "app/cleanup/win32/windows_api.h"

#include <string>
#include <string_view>

// Texts are UTF-8 inside the program; the wide Windows calls take and give
// UTF-16. These convert at that boundary.
std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

// A window's or control's text.
std::string controlText(HWND window);
void setControlText(HWND window, const std::string &text);
// For a multi-line field, which breaks lines only at "\r\n"; it shows a
// scroll bar when the text is taller than the field.
void setFieldLines(HWND field, const std::string &text);
