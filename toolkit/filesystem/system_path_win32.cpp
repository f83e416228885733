#include "toolkit/filesystem/system_path_win32.h"

#include <algorithm>

#include "toolkit/filesystem/utf16_text.h"

// wchar_t is a UTF-16 code unit on Windows, so the two string types share
// their representation.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring toSystemText(const std::string &text)
{
    const std::u16string wide = utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

std::string fromSystemText(const wchar_t *text, std::size_t length)
{
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t *>(text), length));
}

std::string fromSystemText(const std::wstring &text)
{
    return fromSystemText(text.data(), text.size());
}

std::wstring systemPath(const std::string &path)
{
    std::wstring wide = toSystemText(path);
    if (wide.starts_with(L"\\\\?\\") || wide.starts_with(L"\\\\.\\"))
        return wide;
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + wide.substr(2);
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\')
        return L"\\\\?\\" + wide;
    return wide;
}

std::string userPath(std::wstring path)
{
    if (path.starts_with(L"\\\\?\\UNC\\"))
        path = L"\\\\" + path.substr(8);
    else if (path.starts_with(L"\\\\?\\") && path.size() >= 6 && path[5] == L':')
        path = path.substr(4);
    const bool driveRoot = path.size() == 3 && path[1] == L':';
    while (!driveRoot && path.size() > 1 && path.back() == L'\\')
        path.pop_back();
    return fromSystemText(path);
}
