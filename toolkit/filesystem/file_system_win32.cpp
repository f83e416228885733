#include "toolkit/filesystem/file_system.h"

#include <cwchar>
#include <string_view>
#include <utility>

#include <windows.h>

#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/filesystem/wildcard_match.h"

// The attribute bits here are <windows.h>'s macros, which have the values
// file_attributes.h gives the POSIX build.

namespace {

bool isDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

// The attribute word as the walks see it (see FileSystem::searchFolder):
// the system's word without the bits about storage, and the hidden bit for a
// dot-name too, so that a tree copied between platforms walks the same.
std::uint32_t walkAttributes(DWORD system, std::string_view name)
{
    constexpr DWORD kept =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
    DWORD attributes = system & kept;
    if (!name.empty() && name.front() == '.' && !isDotEntry(name))
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// Owns one folder search handle (FindFirstFileW/FindNextFileW/FindClose).
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : m_handle(handle) {}
    ~FindHandle() noexcept
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::FindClose(m_handle);
    }
    FindHandle(const FindHandle &) = delete;
    FindHandle &operator=(const FindHandle &) = delete;

    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool isExistingFolder(const std::string &path)
{
    const DWORD attributes = ::GetFileAttributesW(systemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

const FileSystem &FileSystem::native()
{
    static const FileSystem services;
    return services;
}

FolderSearch FileSystem::searchFolder(const std::string &folder, const std::string &pattern) const
{
    // The system's own search, with its own wildcard matching; its matches
    // are checked again by ours, because the system also matches a name's
    // short 8.3 alias (so "*.ogg" would take "wind.oggx" by "WIND~1.OGG") and
    // folds letters beyond ASCII, and the POSIX build does neither.
    WIN32_FIND_DATAW data;
    FindHandle handle(::FindFirstFileW(systemPath(joinPath(folder, pattern)).c_str(), &data));
    if (!handle.isOpen()) {
        const DWORD error = ::GetLastError();
        // No match at all is reported like a missing file; only a folder
        // that exists turns that into "nothing found".
        if (error != ERROR_FILE_NOT_FOUND || !isExistingFolder(folder))
            return {FolderSearch::Status::CannotOpen, static_cast<int>(error), {}};
        FolderSearch search = startSearch(pattern);
        finishSearch(search);
        return search;
    }
    FolderSearch search = startSearch(pattern);
    do {
        std::string name = fromSystemText(data.cFileName, ::wcsnlen(data.cFileName, MAX_PATH));
        if (isDotEntry(name) || !matchesWildcard(pattern, name))
            continue;
        const std::uint32_t attributes = walkAttributes(data.dwFileAttributes, name);
        search.entries.push_back({std::move(name), attributes});
    } while (::FindNextFileW(handle.get(), &data));
    const DWORD error = ::GetLastError();
    if (error != ERROR_NO_MORE_FILES)
        return {FolderSearch::Status::CannotOpen, static_cast<int>(error), {}};
    finishSearch(search);
    return search;
}

std::string FileSystem::GetCurrentDirectoryA() const
{
    // The folder may change between the two calls; ask until it fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return userPath(std::move(buffer));
        }
        buffer.resize(length);
    }
}

std::optional<std::string> FileSystem::canonicalPath(const std::string &path) const
{
    if (path.empty())
        return std::nullopt;
    const std::string canonical = absolutePath(path);
    if (canonical.empty() || ::GetFileAttributesW(systemPath(canonical).c_str()) == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return canonical;
}

TextFileReader FileSystem::openTextFile(const std::string &path) const
{
    return TextFileReader(path);
}

std::optional<std::uintmax_t> FileSystem::fileSize(const std::string &path) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
