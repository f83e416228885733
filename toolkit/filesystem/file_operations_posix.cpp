// The file operations on POSIX (Linux first: renameat2 for a rename that
// never replaces, with a link-and-unlink fallback for file systems without it).

#include "toolkit/filesystem/file_operations.h"

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

// A file descriptor closed on scope exit. Closing for writing is checked
// through close(), which reports what a deferred write-back found.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    std::error_code close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 ? std::error_code() : lastError();
    }

private:
    int m_fd;
};

std::error_code writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

// Reads `fd` to its end in chunks, handing each to `consume`, which returns
// an error to stop. Interrupted reads are retried.
template <typename Consume>
std::error_code readToEnd(int fd, Consume consume)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        if (got == 0)
            return {};
        if (const std::error_code error = consume(buffer, static_cast<std::size_t>(got)))
            return error;
    }
}

std::string parentOf(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename in `folder` survive a power cut.
void syncFolder(const std::string &folder)
{
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

bool isFolder(const std::string &path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

const FileOperations &FileOperations::native()
{
    static const FileOperations operations;
    return operations;
}

std::error_code FileOperations::stat(const std::string &path, FileStamp &stamp) const
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return lastError();
    stamp.size = static_cast<std::uintmax_t>(status.st_size);
    stamp.modifiedNanoseconds =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    return {};
}

std::error_code FileOperations::renameNoReplace(const std::string &from, const std::string &to) const
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return lastError();
    // No RENAME_NOREPLACE here: a hard link is created exclusively too.
    if (::link(from.c_str(), to.c_str()) != 0)
        return lastError();
    if (::unlink(from.c_str()) != 0) {
        const std::error_code error = lastError();
        ::unlink(to.c_str());
        return error;
    }
    return {};
}

std::error_code FileOperations::copyToNewFile(const std::string &from, const std::string &to) const
{
    Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!source.valid())
        return lastError();
    struct stat status {};
    if (::fstat(source.get(), &status) != 0)
        return lastError();
    Descriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, status.st_mode & 07777));
    if (!target.valid())
        return lastError();

    if (const std::error_code error = readToEnd(source.get(), [&](const char *data, std::size_t size) {
            return writeAll(target.get(), data, size);
        }))
        return error;
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (::futimens(target.get(), times) != 0 || ::fsync(target.get()) != 0)
        return lastError();
    if (const std::error_code error = target.close())
        return error;
    syncFolder(parentOf(to));
    return {};
}

std::error_code FileOperations::removeFile(const std::string &path) const
{
    return ::unlink(path.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code FileOperations::makeFolders(const std::string &path) const
{
    if (path.empty() || isFolder(path))
        return {};
    const std::string parent = parentOf(path);
    if (parent != path)
        if (const std::error_code error = makeFolders(parent))
            return error;
    if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && isFolder(path)))
        return lastError();
    return {};
}

std::error_code FileOperations::removeEmptyFolders(const std::string &path) const
{
    DIR *folder = ::opendir(path.c_str());
    if (folder == nullptr)
        return lastError();
    std::vector<std::string> subfolders;
    while (const dirent *entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && isFolder(path + '/' + entry->d_name))
            subfolders.push_back(path + '/' + entry->d_name);
    }
    ::closedir(folder);
    for (const std::string &subfolder : subfolders)
        if (const std::error_code error = removeEmptyFolders(subfolder))
            return error;
    if (::rmdir(path.c_str()) != 0 && errno != ENOTEMPTY && errno != EEXIST)
        return lastError();
    return {};
}

std::error_code FileOperations::writeFileAtomically(const std::string &path, const std::string &content,
                                                    bool flushToDisk) const
{
    const std::string temporary = path + ".new";
    ::unlink(temporary.c_str());  // left by an earlier run cut short; never the file itself
    Descriptor target(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!target.valid())
        return lastError();
    std::error_code error = writeAll(target.get(), content.data(), content.size());
    if (!error && flushToDisk && ::fsync(target.get()) != 0)
        error = lastError();
    if (const std::error_code closeError = target.close(); !error)
        error = closeError;
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = lastError();
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    if (flushToDisk)
        syncFolder(parentOf(path));
    return {};
}

std::error_code FileOperations::rewriteTail(const std::string &path, std::uintmax_t offset, std::string_view tail,
                                            bool createNew) const
{
    const int flags = O_WRONLY | O_CLOEXEC | (createNew ? O_CREAT | O_EXCL : 0);
    Descriptor target(::open(path.c_str(), flags, 0666));
    if (!target.valid())
        return lastError();
    // Written first and cut after: a longer file (the usual case when
    // entries are added) then needs no cut at all, which on ext4 is a
    // journalled operation of its own.
    struct stat status {};
    if (::fstat(target.get(), &status) != 0 || ::lseek(target.get(), static_cast<off_t>(offset), SEEK_SET) < 0)
        return lastError();
    if (const std::error_code error = writeAll(target.get(), tail.data(), tail.size()))
        return error;
    const auto end = static_cast<off_t>(offset + tail.size());
    if (status.st_size > end && ::ftruncate(target.get(), end) != 0)
        return lastError();
    return target.close();
}

std::error_code FileOperations::linkNoReplace(const std::string &existing, const std::string &link) const
{
    return ::link(existing.c_str(), link.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code FileOperations::exchangeFiles(const std::string &first, const std::string &second) const
{
    return ::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0 ? std::error_code()
                                                                                                 : lastError();
}

std::error_code FileOperations::renameReplacing(const std::string &from, const std::string &to) const
{
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code FileOperations::readFile(const std::string &path, std::string &content) const
{
    Descriptor source(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!source.valid())
        return lastError();
    content.clear();
    return readToEnd(source.get(), [&](const char *data, std::size_t size) {
        content.append(data, size);
        return std::error_code();
    });
}
