#include "toolkit/filesystem/read_only_file.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

ReadOnlyFile::Handle ReadOnlyFile::open(const std::string &path, int &error)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        error = errno;
    return descriptor < 0 ? invalidHandle : descriptor;
}

std::ptrdiff_t ReadOnlyFile::read(Handle file, char *buffer, std::size_t size, int &error)
{
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(file), buffer, size);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            error = errno;
            return -1;
        }
    }
}

void ReadOnlyFile::close(Handle file) noexcept
{
    ::close(static_cast<int>(file));
}
