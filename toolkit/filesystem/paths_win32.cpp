#include "toolkit/filesystem/paths.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include <windows.h>

#include "toolkit/filesystem/system_path_win32.h"

namespace {

// GetFullPathNameW's reading of `path`, or nothing when it has none.
std::wstring fullPathName(const std::wstring &path)
{
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return {};
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);  // the working folder may have changed meanwhile: ask until it fits
    }
}

bool isDevicePath(std::wstring_view path)
{
    return path.starts_with(L"\\\\.\\") || path.starts_with(L"//./");
}

// The final path of the existing entry at `systemForm`, as the system names
// it: short 8.3 names spelled out, links, junctions and mount points
// followed, in the "\\?\" form. Empty when it cannot be opened.
std::wstring finalPathOf(const std::wstring &systemForm)
{
    const HANDLE entry = ::CreateFileW(systemForm.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (entry == INVALID_HANDLE_VALUE)
        return {};
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(entry, final.data(), static_cast<DWORD>(final.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0 || length < final.size()) {
            final.resize(length);
            break;
        }
        final.resize(length);  // too small: `length` counts the terminating zero too
    }
    ::CloseHandle(entry);
    return final;
}

// `path` resolved by the system as far as it exists, and the rest, which
// does not exist yet, appended as written; in the "\\?\" form.
std::wstring resolvedPath(const std::string &path)
{
    const std::wstring full = systemPath(absolutePath(path));
    if (full.empty())
        return full;
    std::size_t existing = full.size();
    for (;;) {
        const std::wstring final = finalPathOf(full.substr(0, existing));
        if (!final.empty())
            return final + full.substr(existing);
        if (full[existing - 1] == L'\\')
            return full;  // not even the root can be opened: the written path as it is
        const std::size_t cut = full.find_last_of(L'\\', existing - 1);
        if (cut == std::wstring::npos || cut < 4)
            return full;
        // A drive's root is opened as "\\?\C:\"; without the separator it
        // would be the volume itself.
        existing = cut == 6 && full[5] == L':' ? cut + 1 : cut;
    }
}

// The components of a path in the "\\?\" form, without empty ones.
std::vector<std::wstring_view> componentsOf(const std::wstring &path)
{
    std::vector<std::wstring_view> components;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        const std::size_t end = std::min(path.find(L'\\', begin), path.size());
        if (end > begin)
            components.push_back(std::wstring_view(path).substr(begin, end - begin));
        begin = end + 1;
    }
    return components;
}

bool sameNameIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace

bool isPathSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool isAbsolutePath(std::string_view path)
{
    if (!path.empty() && isPathSeparator(path.front()))
        return true;
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return path.size() >= 2 && isLetter(path[0]) && path[1] == ':';
}

std::string joinPath(const std::string &folder, const std::string &name)
{
    if (!folder.empty() && isPathSeparator(folder.back()))
        return folder + name;
    return folder + '\\' + name;
}

std::string withNativeSeparators(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string absolutePath(const std::string &path)
{
    const std::wstring wide = toSystemText(path);
    const std::wstring full = fullPathName(wide);
    if (full.empty() || !isDevicePath(full) || isDevicePath(wide))
        return full.empty() ? std::string() : userPath(full);
    // The system read the last name as a device ("C:\a\aux" as "\\.\aux"),
    // which it is not in a folder the user named: resolve the folder that
    // holds it and name it there, trimmed as any last name is.
    const std::size_t cut = path.find_last_of(":/\\");
    const std::string folder = cut == std::string::npos ? "." : path.substr(0, cut + 1);
    std::string name = path.substr(cut == std::string::npos ? 0 : cut + 1);
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    const std::string base = absolutePath(folder);
    return base.empty() || name.empty() ? std::string() : joinPath(base, name);
}

bool isSameOrInside(const std::string &folder, const std::string &path)
{
    const std::wstring folderPath = resolvedPath(folder), innerPath = resolvedPath(path);
    const std::vector<std::wstring_view> outer = componentsOf(folderPath), inner = componentsOf(innerPath);
    return outer.size() <= inner.size() &&
           std::equal(outer.begin(), outer.end(), inner.begin(), sameNameIgnoringCase);
}

std::filesystem::path pathFromUtf8(const std::string &path)
{
    return std::filesystem::path(toSystemText(path));
}

std::string utf8FromPath(const std::filesystem::path &path)
{
    return fromSystemText(path.native());
}

std::string genericUtf8FromPath(const std::filesystem::path &path)
{
    return fromSystemText(path.generic_wstring());
}
