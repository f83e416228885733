// The file operations on Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING
// for a rename that never replaces, CreateFileW with CREATE_NEW for an
// exclusive create, FlushFileBuffers before anything counts as written.

#include "toolkit/filesystem/file_operations.h"

#include <algorithm>
#include <cstddef>
#include <atomic>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <windows.h>
#include <winioctl.h>

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

// The entry `path` itself, opened to read its information: a link or
// junction is not followed, and a folder opens too.
HANDLE openEntryItself(const std::string &path)
{
    return ::CreateFileW(systemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool isLinkToFolder(const std::string &path)
{
    constexpr DWORD linkToFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & linkToFolder) == linkToFolder;
}

// What a symbolic link holds: its target as it was written (relative ones
// stay relative), and whether it was made as a link to a folder.
struct LinkTarget {
    std::wstring text;
    bool folder = false;
};

// The reparse data of a symbolic link, as the system lays it out (the
// headers of the user-mode toolchain do not declare it).
struct SymbolicLinkData {
    DWORD reparseTag;
    WORD dataLength, reserved;
    WORD substituteOffset, substituteLength, printOffset, printLength;
    ULONG flags;
    WCHAR names[1];
};

std::error_code readLinkTarget(HANDLE link, LinkTarget &target)
{
    std::vector<char> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD got = 0;
    if (!::DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(), static_cast<DWORD>(buffer.size()),
                           &got, nullptr))
        return lastError();
    const auto *data = reinterpret_cast<const SymbolicLinkData *>(buffer.data());
    const std::size_t namesAt = offsetof(SymbolicLinkData, names);
    // A junction or mount point is not made anew: it names a volume's own
    // path, which another volume may not have.
    if (got < namesAt || data->reparseTag != IO_REPARSE_TAG_SYMLINK)
        return std::make_error_code(std::errc::operation_not_supported);
    if (namesAt + data->printOffset + std::size_t{data->printLength} > got)
        return std::make_error_code(std::errc::invalid_argument);
    const auto *names = reinterpret_cast<const wchar_t *>(buffer.data() + namesAt);
    target.text.assign(names + data->printOffset / sizeof(wchar_t), data->printLength / sizeof(wchar_t));
    BY_HANDLE_FILE_INFORMATION information;
    target.folder = ::GetFileInformationByHandle(link, &information) &&
                    (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return {};
}

std::error_code readLinkTarget(const std::string &path, LinkTarget &target)
{
    FileHandle link(openEntryItself(path));
    return link.valid() ? readLinkTarget(link.get(), target) : lastError();
}

// Makes the link `to` anew with the target of the link `from`.
std::error_code copyLink(const std::string &from, const std::string &to)
{
    LinkTarget target;
    if (const std::error_code error = readLinkTarget(from, target))
        return error;
    const DWORD flags =
        (target.folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    // A relative target stays relative: it is read from the link's new folder.
    return ::CreateSymbolicLinkW(systemPath(to).c_str(), target.text.c_str(), flags) ? std::error_code() : lastError();
}

} // namespace

const FileOperations &FileOperations::native()
{
    static const FileOperations operations;
    return operations;
}

std::error_code FileOperations::stat(const std::string &path, FileStamp &stamp) const
{
    FileHandle entry(openEntryItself(path));
    BY_HANDLE_FILE_INFORMATION data;
    if (!entry.valid() || !::GetFileInformationByHandle(entry.get(), &data))
        return lastError();
    stamp.size = (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.modifiedNanoseconds = nanosecondsSince1970(data.ftLastWriteTime);
    stamp.linkCount = data.nNumberOfLinks;
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    stamp.kind = folder ? EntryKind::Folder : EntryKind::File;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return {};
    // A junction or mount point leads elsewhere as a link does; other
    // reparse points (deduplicated or cloud files, ...) read as what they hold.
    FILE_ATTRIBUTE_TAG_INFO tag;
    if (!::GetFileInformationByHandleEx(entry.get(), FileAttributeTagInfo, &tag, sizeof tag))
        return lastError();
    if (tag.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT)
        stamp.kind = EntryKind::Link;
    if (tag.ReparseTag != IO_REPARSE_TAG_SYMLINK)
        return {};
    stamp.kind = EntryKind::Link;
    LinkTarget target;
    if (const std::error_code error = readLinkTarget(entry.get(), target))
        return error;
    stamp.size = fromSystemText(target.text).size();
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
    FILE_BASIC_INFO kept;
    if (!::GetFileInformationByHandleEx(source, FileBasicInfo, &kept, sizeof kept))
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

} // namespace

std::error_code FileOperations::copyToNewFile(const std::string &from, const std::string &to) const
{
    FileStamp stamp;
    if (const std::error_code error = stat(from, stamp))
        return error;
    if (stamp.kind == EntryKind::Link)
        return copyLink(from, to);
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
        removeFile(to);  // ours: created above, perhaps read-only already
    return error;
}

std::error_code FileOperations::removeFile(const std::string &path) const
{
    const std::wstring system = systemPath(path);
    if (::DeleteFileW(system.c_str()))
        return {};
    const std::error_code error = lastError();
    // A link to a folder is removed as a folder is, which leaves its target.
    if (isLinkToFolder(path))
        return ::RemoveDirectoryW(system.c_str()) ? std::error_code() : lastError();
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
        if (::CreateDirectoryW(systemPath(*folder).c_str(), nullptr)) {
            created.push_back(*folder);
            continue;
        }
        const DWORD code = ::GetLastError();  // before isFolder() asks the system again
        if (code == ERROR_ALREADY_EXISTS && isFolder(*folder))
            continue;  // made meanwhile by someone else: not ours
        if (blocking)
            *blocking = *folder;
        return code == ERROR_ALREADY_EXISTS ? std::make_error_code(std::errc::not_a_directory) : systemError(code);
    }
    return {};
}

std::error_code FileOperations::removeEmptyFolder(const std::string &path) const
{
    // RemoveDirectoryW would remove a junction or folder link whatever it
    // leads to; only a folder itself can be one this program made.
    const DWORD attributes = attributesOf(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return std::make_error_code(std::errc::not_a_directory);
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

std::error_code FileOperations::readLink(const std::string &path, std::string &target) const
{
    LinkTarget link;
    if (const std::error_code error = readLinkTarget(path, link))
        return error;
    target = fromSystemText(link.text);
    return {};
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
