// The file operations on POSIX (Linux first: renameat2 for a rename that
// never replaces, with a link-and-unlink fallback for file systems without it).

#include "toolkit/filesystem/file_operations.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <cstdio>
#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

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

// A folder, or a link to one: something a path can go on through.
bool leadsToFolder(const std::string &path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::int64_t nanoseconds(const struct timespec &time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// A name beside `path` that no other call, in this process or another, uses.
std::string uniqueNameBeside(const std::string &path)
{
    static std::atomic<unsigned> counter{0};
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return path + ".new-" + std::to_string(::getpid()) + '-' + std::to_string(counter++) + '-'
           + std::to_string(nanoseconds(now));
}

// The new link `to` with the target of the link `from`, its owner where the
// process may set it, and its times.
std::error_code copyLink(const std::string &from, const struct stat &status, const std::string &to)
{
    std::string target(static_cast<std::size_t>(status.st_size) + 1, '\0');
    const ssize_t length = ::readlink(from.c_str(), target.data(), target.size());
    if (length < 0)
        return lastError();
    if (static_cast<std::size_t>(length) >= target.size())
        return std::make_error_code(std::errc::resource_unavailable_try_again);  // changed meanwhile
    target.resize(static_cast<std::size_t>(length));
    if (::symlink(target.c_str(), to.c_str()) != 0)
        return lastError();
    if (::lchown(to.c_str(), status.st_uid, status.st_gid) != 0 && errno != EPERM) {
        const std::error_code error = lastError();
        ::unlink(to.c_str());
        return error;
    }
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (::utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        const std::error_code error = lastError();
        ::unlink(to.c_str());
        return error;
    }
    syncFolder(parentOf(to));
    return {};
}

// Copies the open regular file `source` into the new file `target`, then
// gives it the source's owner (first: a change of owner clears setgid),
// mode bits exactly and times, and flushes it.
std::error_code copyContent(int source, const struct stat &status, Descriptor &target)
{
    if (const std::error_code error = readToEnd(source, [&](const char *data, std::size_t size) {
            return writeAll(target.get(), data, size);
        }))
        return error;
    if (::fchown(target.get(), status.st_uid, status.st_gid) != 0 && errno != EPERM)
        return lastError();
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (::fchmod(target.get(), status.st_mode & 07777) != 0 || ::futimens(target.get(), times) != 0
        || ::fsync(target.get()) != 0)
        return lastError();
    return target.close();
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
    if (::lstat(path.c_str(), &status) != 0)
        return lastError();
    stamp.size = static_cast<std::uintmax_t>(status.st_size);
    stamp.modifiedNanoseconds = nanoseconds(status.st_mtim);
    stamp.kind = S_ISREG(status.st_mode)   ? EntryKind::File
                 : S_ISLNK(status.st_mode) ? EntryKind::Link
                 : S_ISDIR(status.st_mode) ? EntryKind::Folder
                                           : EntryKind::Other;
    stamp.linkCount = static_cast<std::uintmax_t>(status.st_nlink);
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
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0)
        return lastError();
    if (S_ISLNK(status.st_mode))
        return copyLink(from, status, to);
    if (!S_ISREG(status.st_mode))
        return std::make_error_code(std::errc::operation_not_supported);
    // No-follow and non-blocking: a link or FIFO put there since the lstat
    // fails here rather than being followed or waited on.
    Descriptor source(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!source.valid())
        return lastError();
    if (::fstat(source.get(), &status) != 0)
        return lastError();
    if (!S_ISREG(status.st_mode))
        return std::make_error_code(std::errc::operation_not_supported);
    Descriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!target.valid())
        return lastError();  // created nothing: whatever is at `to` is not ours
    if (const std::error_code error = copyContent(source.get(), status, target)) {
        ::unlink(to.c_str());
        return error;
    }
    syncFolder(parentOf(to));
    return {};
}

std::error_code FileOperations::removeFile(const std::string &path) const
{
    return ::unlink(path.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code FileOperations::makeFolders(const std::string &path, std::vector<std::string> &created,
                                            std::string *blocking) const
{
    const auto fail = [&](const std::string &part, std::error_code error) {
        if (blocking)
            *blocking = part;
        return error;
    };
    // The missing folders, innermost first, up to the first entry that exists.
    std::vector<std::string> missing;
    std::string existing = path;
    for (;;) {
        struct stat status {};
        if (::lstat(existing.c_str(), &status) == 0)
            break;
        if (errno != ENOENT && errno != ENOTDIR)
            return fail(existing, lastError());
        missing.push_back(existing);
        const std::string parent = parentOf(existing);
        if (parent == existing)
            return fail(existing, lastError());
        existing = parent;
    }
    if (!leadsToFolder(existing))
        return fail(existing, std::make_error_code(std::errc::not_a_directory));
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        if (::mkdir(folder->c_str(), 0777) == 0) {
            created.push_back(*folder);
            continue;
        }
        const std::error_code error = lastError();  // before leadsToFolder asks the system again
        if (error == std::errc::file_exists) {
            if (leadsToFolder(*folder))  // made meanwhile by someone else: not ours
                continue;
            return fail(*folder, std::make_error_code(std::errc::not_a_directory));
        }
        return fail(*folder, error);
    }
    return {};
}

std::error_code FileOperations::removeEmptyFolder(const std::string &path) const
{
    if (::rmdir(path.c_str()) == 0)
        return {};
    return errno == EEXIST ? std::make_error_code(std::errc::directory_not_empty) : lastError();
}

std::error_code FileOperations::writeFileAtomically(const std::string &path, const std::string &content,
                                                    bool flushToDisk) const
{
    const std::string temporary = uniqueNameBeside(path);
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

std::error_code FileOperations::flushFile(const std::string &path) const
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid() || ::fsync(file.get()) != 0)
        return lastError();
    syncFolder(parentOf(path));
    return {};
}

std::error_code FileOperations::readFile(const std::string &path, std::string &content,
                                         std::uintmax_t sizeLimit) const
{
    Descriptor source(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!source.valid())
        return lastError();
    struct stat status {};
    if (::fstat(source.get(), &status) != 0)
        return lastError();
    if (!S_ISREG(status.st_mode))
        return std::make_error_code(std::errc::operation_not_supported);
    content.clear();
    return readToEnd(source.get(), [&](const char *data, std::size_t size) {
        if (content.size() + size > sizeLimit)
            return std::make_error_code(std::errc::file_too_large);
        content.append(data, size);
        return std::error_code();
    });
}

std::error_code FileOperations::readLink(const std::string &path, std::string &target) const
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return lastError();
    target.assign(static_cast<std::size_t>(status.st_size) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0)
        return lastError();
    target.resize(std::min(static_cast<std::size_t>(length), target.size()));
    return {};
}
