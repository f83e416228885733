// The file operations on Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING
// for a rename that never replaces, CreateFileW with CREATE_NEW for an
// exclusive create, FlushFileBuffers before anything counts as written.

#include "toolkit/filesystem/file_operations.h"

#include <algorithm>
#include <atomic>
#include <string_view>
#include <utility>
#include <vector>

#include <windows.h>

#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/system_path_win32.h"

namespace {

// The system's error as the callers test it: the conditions they ask about
// (an entry already there, another volume, ...) in the generic category, so
// that `error == std::errc::file_exists` holds and message() reads as on
// POSIX; anything else in the system category.
std::error_code systemError(DWORD code)
{
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
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_DIR_NOT_EMPTY:
        return std::make_error_code(std::errc::directory_not_empty);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_WRITE_PROTECT:
        return std::make_error_code(std::errc::read_only_file_system);
    default:
        return {static_cast<int>(code), std::system_category()};
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

bool isFolder(const std::string &path)
{
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
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
    stamp.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? EntryKind::Link
                 : (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder
                                                                           : EntryKind::File;
    stamp.linkCount = 1;
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

namespace {

std::error_code copyOpenFile(HANDLE source, FileHandle &target)
{
    FILETIME created, accessed, written;
    if (!::GetFileTime(source, &created, &accessed, &written))
        return lastError();

    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD got = 0;
        if (const std::error_code error = readSome(source, buffer.data(), static_cast<DWORD>(buffer.size()), got))
            return error;
        if (got == 0)
            break;
        if (const std::error_code error = writeAll(target.get(), buffer.data(), got))
            return error;
    }
    if (!::SetFileTime(target.get(), nullptr, &accessed, &written) || !::FlushFileBuffers(target.get()))
        return lastError();
    return target.close();
}

} // namespace

std::error_code FileOperations::copyToNewFile(const std::string &from, const std::string &to) const
{
    FileStamp stamp;
    if (const std::error_code error = stat(from, stamp))
        return error;
    if (stamp.kind != EntryKind::File)
        return std::make_error_code(std::errc::operation_not_supported);
    FileHandle source(openForReading(from));
    if (!source.valid())
        return lastError();
    FileHandle target(createExclusively(to));
    if (!target.valid())
        return lastError();  // created nothing: whatever is at `to` is not ours
    const std::error_code error = copyOpenFile(source.get(), target);
    if (error)
        ::DeleteFileW(systemPath(to).c_str());
    return error;
}

std::error_code FileOperations::removeFile(const std::string &path) const
{
    return ::DeleteFileW(systemPath(path).c_str()) ? std::error_code() : lastError();
}

std::error_code FileOperations::makeFolders(const std::string &path, std::vector<std::string> &created,
                                            std::string *blocking) const
{
    std::vector<std::string> missing;
    std::string existing = path;
    while (attributesOf(existing) == INVALID_FILE_ATTRIBUTES) {
        missing.push_back(existing);
        const std::string parent = parentOf(existing);
        if (parent == existing || parent.empty())
            break;
        existing = parent;
    }
    const DWORD attributes = attributesOf(existing);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        if (blocking)
            *blocking = existing;
        return std::make_error_code(std::errc::not_a_directory);
    }
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        if (::CreateDirectoryW(systemPath(*folder).c_str(), nullptr))
            created.push_back(*folder);
        else if (::GetLastError() != ERROR_ALREADY_EXISTS || !isFolder(*folder)) {
            if (blocking)
                *blocking = *folder;
            return lastError();
        }
    }
    return {};
}

std::error_code FileOperations::removeEmptyFolder(const std::string &path) const
{
    return ::RemoveDirectoryW(systemPath(path).c_str()) ? std::error_code() : lastError();
}

std::error_code FileOperations::flushFile(const std::string &path) const
{
    FileHandle file(::CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !::FlushFileBuffers(file.get()))
        return lastError();
    return file.close();
}

std::error_code FileOperations::readLink(const std::string &, std::string &) const
{
    return std::make_error_code(std::errc::operation_not_supported);
}

std::error_code FileOperations::writeFileAtomically(const std::string &path, const std::string &content,
                                                    bool flushToDisk) const
{
    static std::atomic<unsigned> counter{0};
    const std::string temporary = path + ".new-" + std::to_string(::GetCurrentProcessId()) + '-'
                                  + std::to_string(counter++) + '-' + std::to_string(::GetTickCount64());
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

std::error_code FileOperations::readFile(const std::string &path, std::string &content,
                                         std::uintmax_t sizeLimit) const
{
    FileHandle source(openForReading(path));
    if (!source.valid())
        return lastError();
    if (::GetFileType(source.get()) != FILE_TYPE_DISK)
        return std::make_error_code(std::errc::operation_not_supported);
    content.clear();
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD got = 0;
        if (const std::error_code error = readSome(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), got))
            return error;
        if (got == 0)
            return {};
        if (content.size() + got > sizeLimit)
            return std::make_error_code(std::errc::file_too_large);
        content.append(buffer.data(), got);
    }
}
