// The file operations on Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING
// for a rename that never replaces, CreateFileW with CREATE_NEW for an
// exclusive create, FlushFileBuffers before anything counts as written.

#include "toolkit/filesystem/file_operations.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <windows.h>

#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/system_path_win32.h"

namespace {

// The system's own errors, with their texts from the system (the C
// library's table knows errno values, not these). A file held open by
// another program says so: "permission denied" would send the user looking
// at rights instead of closing the program.
class SystemErrorCategory final : public std::error_category {
public:
    const char *name() const noexcept override { return "windows"; }
    std::string message(int code) const override
    {
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
            return "the file is in use by another program";
        wchar_t *text = nullptr;
        const DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
            static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
        std::string message = length > 0 ? fromSystemText(text, length) : "system error " + std::to_string(code);
        ::LocalFree(text);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
            message.pop_back();
        return message;
    }
};

// The system's error as the callers test it: the conditions they ask about
// (an entry already there, another volume, ...) in the generic category, so
// that `error == std::errc::file_exists` holds and message() reads as on
// POSIX; anything else as the system's own.
std::error_code systemError(DWORD code)
{
    static const SystemErrorCategory category;
    switch (code) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::make_error_code(std::errc::file_exists);
    case ERROR_NOT_SAME_DEVICE:
        return std::make_error_code(std::errc::cross_device_link);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_DIR_NOT_EMPTY:
        return std::make_error_code(std::errc::directory_not_empty);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_WRITE_PROTECT:
        return std::make_error_code(std::errc::read_only_file_system);
    default:
        return {static_cast<int>(code), category};
    }
}

std::error_code lastError()
{
    return systemError(::GetLastError());
}

// A file handle closed on scope exit.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (valid())
            ::CloseHandle(m_handle);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    std::error_code close()
    {
        return ::CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE)) ? std::error_code() : lastError();
    }

private:
    HANDLE m_handle;
};

HANDLE openForReading(const std::string &path)
{
    return ::CreateFileW(systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// A new file, created exclusively: an existing one gives file_exists.
HANDLE createExclusively(const std::string &path)
{
    return ::CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
}

std::error_code writeAll(HANDLE file, const char *data, std::size_t size)
{
    while (size > 0) {
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data, ask, &written, nullptr))
            return lastError();
        data += written;
        size -= written;
    }
    return {};
}

// Reads one block; `got` is 0 at the end.
std::error_code readSome(HANDLE file, char *buffer, DWORD size, DWORD &got)
{
    return ::ReadFile(file, buffer, size, &got, nullptr) ? std::error_code() : lastError();
}

DWORD attributesOf(const std::string &path)
{
    return ::GetFileAttributesW(systemPath(path).c_str());
}

// True for a folder, and for a junction, directory link or mount point that
// leads to one: the user chose the path, so it is entered as given.
bool isFolder(const std::string &path)
{
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder that holds `path`, or `path` itself for a root.
std::string parentOf(const std::string &path)
{
    std::size_t cut = path.size();
    while (cut > 0 && !isPathSeparator(path[cut - 1]))
        --cut;
    while (cut > 1 && isPathSeparator(path[cut - 1]))
        --cut;
    if (cut == 0 || (cut == 2 && path[1] == ':'))
        return path.substr(0, cut == 0 ? 0 : 3);
    return path.substr(0, cut);
}

// FILETIME counts 100-nanosecond steps since 1601-01-01 UTC.
constexpr std::int64_t filetimeTo1970 = 116444736000000000;

std::int64_t nanosecondsSince1970(const FILETIME &time)
{
    const std::int64_t ticks =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - filetimeTo1970) * 100;
}

} // namespace

const FileOperations &FileOperations::native()
{
    static const FileOperations operations;
    return operations;
}

std::error_code FileOperations::stat(const std::string &path, FileStamp &stamp) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data))
        return lastError();
    stamp.size = (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.modifiedNanoseconds = nanosecondsSince1970(data.ftLastWriteTime);
    return {};
}

std::error_code FileOperations::renameNoReplace(const std::string &from, const std::string &to) const
{
    // Without MOVEFILE_REPLACE_EXISTING an entry at `to` makes the move fail;
    // without MOVEFILE_COPY_ALLOWED another volume does, changing nothing.
    if (::MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(), MOVEFILE_WRITE_THROUGH))
        return {};
    return lastError();
}

std::error_code FileOperations::copyToNewFile(const std::string &from, const std::string &to) const
{
    FileHandle source(openForReading(from));
    if (!source.valid())
        return lastError();
    FILE_BASIC_INFO kept;
    if (!::GetFileInformationByHandleEx(source.get(), FileBasicInfo, &kept, sizeof kept))
        return lastError();
    FileHandle target(createExclusively(to));
    if (!target.valid())
        return lastError();

    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD got = 0;
        if (const std::error_code error = readSome(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), got))
            return error;
        if (got == 0)
            break;
        if (const std::error_code error = writeAll(target.get(), buffer.data(), got))
            return error;
    }
    // The times and the attributes that say how the file is used (read-only
    // included: the open handle still writes); the change time is the
    // system's own (0 leaves it).
    constexpr DWORD carried = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    kept.ChangeTime.QuadPart = 0;
    kept.FileAttributes = (kept.FileAttributes & carried) != 0 ? kept.FileAttributes & carried : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(target.get(), FileBasicInfo, &kept, sizeof kept) ||
        !::FlushFileBuffers(target.get()))
        return lastError();
    return target.close();
}

std::error_code FileOperations::removeFile(const std::string &path) const
{
    const std::wstring system = systemPath(path);
    if (::DeleteFileW(system.c_str()))
        return {};
    const std::error_code error = lastError();
    // DeleteFileW refuses a read-only file, which the user may remove (and
    // POSIX would): clear the bit, and put it back if the file still stays.
    const DWORD attributes = ::GetFileAttributesW(system.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
        !::SetFileAttributesW(system.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return error;
    if (::DeleteFileW(system.c_str()))
        return {};
    const std::error_code retried = lastError();
    ::SetFileAttributesW(system.c_str(), attributes);
    return retried;
}

std::error_code FileOperations::makeFolders(const std::string &path) const
{
    if (path.empty() || isFolder(path))
        return {};
    const std::string parent = parentOf(path);
    if (parent != path)
        if (const std::error_code error = makeFolders(parent))
            return error;
    if (!::CreateDirectoryW(systemPath(path).c_str(), nullptr) &&
        !(::GetLastError() == ERROR_ALREADY_EXISTS && isFolder(path)))
        return lastError();
    return {};
}

std::error_code FileOperations::removeEmptyFolders(const std::string &path) const
{
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAW data;
    const HANDLE search = ::FindFirstFileW(systemPath(joinPath(path, "*")).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return lastError();
    do {
        const std::string name = fromSystemText(data.cFileName, ::wcsnlen(data.cFileName, MAX_PATH));
        // Links and junctions are left alone: removing one would not touch
        // what it leads to, and walking into it could leave our tree.
        const DWORD attributes = data.dwFileAttributes;
        if (name != "." && name != ".." && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
            subfolders.push_back(joinPath(path, name));
    } while (::FindNextFileW(search, &data));
    const DWORD searchError = ::GetLastError();
    ::FindClose(search);
    if (searchError != ERROR_NO_MORE_FILES)
        return systemError(searchError);
    for (const std::string &subfolder : subfolders)
        if (const std::error_code error = removeEmptyFolders(subfolder))
            return error;
    if (!::RemoveDirectoryW(systemPath(path).c_str()) && ::GetLastError() != ERROR_DIR_NOT_EMPTY)
        return lastError();
    return {};
}

std::error_code FileOperations::writeFileAtomically(const std::string &path, const std::string &content,
                                                    bool flushToDisk) const
{
    const std::string temporary = path + ".new";
    ::DeleteFileW(systemPath(temporary).c_str());  // left by an earlier run cut short; never the file itself
    FileHandle target(createExclusively(temporary));
    if (!target.valid())
        return lastError();
    std::error_code error = writeAll(target.get(), content.data(), content.size());
    if (!error && flushToDisk && !::FlushFileBuffers(target.get()))
        error = lastError();
    if (const std::error_code closeError = target.close(); !error)
        error = closeError;
    const DWORD replace = MOVEFILE_REPLACE_EXISTING | (flushToDisk ? MOVEFILE_WRITE_THROUGH : 0);
    if (!error && !::MoveFileExW(systemPath(temporary).c_str(), systemPath(path).c_str(), replace))
        error = lastError();
    if (error)
        ::DeleteFileW(systemPath(temporary).c_str());
    return error;
}

std::error_code FileOperations::rewriteTail(const std::string &path, std::uintmax_t offset, std::string_view tail,
                                            bool createNew) const
{
    FileHandle target(createNew ? createExclusively(path)
                                : ::CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.valid())
        return lastError();
    // Written first and cut after, as on POSIX: a longer file needs no cut.
    LARGE_INTEGER size, at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!::GetFileSizeEx(target.get(), &size) || !::SetFilePointerEx(target.get(), at, nullptr, FILE_BEGIN))
        return lastError();
    if (const std::error_code error = writeAll(target.get(), tail.data(), tail.size()))
        return error;
    if (static_cast<std::uintmax_t>(size.QuadPart) > offset + tail.size() && !::SetEndOfFile(target.get()))
        return lastError();
    return target.close();
}

std::error_code FileOperations::linkNoReplace(const std::string &existing, const std::string &link) const
{
    return ::CreateHardLinkW(systemPath(link).c_str(), systemPath(existing).c_str(), nullptr) ? std::error_code()
                                                                                               : lastError();
}

std::error_code FileOperations::exchangeFiles(const std::string &, const std::string &) const
{
    // Windows has no call that swaps two files in one step; the callers then
    // rename over instead.
    return std::make_error_code(std::errc::operation_not_supported);
}

std::error_code FileOperations::renameReplacing(const std::string &from, const std::string &to) const
{
    return ::MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(), MOVEFILE_REPLACE_EXISTING)
               ? std::error_code()
               : lastError();
}

std::error_code FileOperations::readFile(const std::string &path, std::string &content) const
{
    FileHandle source(openForReading(path));
    if (!source.valid())
        return lastError();
    content.clear();
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD got = 0;
        if (const std::error_code error = readSome(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), got))
            return error;
        if (got == 0)
            return {};
        content.append(buffer.data(), got);
    }
}
