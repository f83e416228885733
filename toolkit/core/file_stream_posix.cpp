#include "toolkit/core/file_stream.h"

#include "toolkit/core/exceptions.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

int descriptorOf(std::intptr_t file)
{
    return static_cast<int>(file);
}

std::string systemReason()
{
    return std::strerror(errno);
}

} // namespace

TFileStream::TFileStream(const std::string &fileName, TFileMode mode) : m_fileName(fileName)
{
    int flags = O_CLOEXEC;
    switch (mode) {
    case TFileMode::OpenRead: flags |= O_RDONLY; break;
    case TFileMode::OpenReadWrite: flags |= O_RDWR; break;
    case TFileMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    do {
        m_file = ::open(fileName.c_str(), flags, 0666);
    } while (m_file < 0 && errno == EINTR);
    if (m_file < 0) {
        if (mode == TFileMode::Create)
            throw EFCreateError("Cannot create file \"" + fileName + "\": " + systemReason());
        throw EFOpenError("Cannot open file \"" + fileName + "\": " + systemReason());
    }
}

TFileStream::~TFileStream()
{
    ::close(descriptorOf(m_file));
}

std::int64_t TFileStream::Read(void *buffer, std::int64_t count)
{
    std::int64_t done = 0;
    auto *bytes = static_cast<char *>(buffer);
    while (done < count) {
        const ssize_t n = ::read(descriptorOf(m_file), bytes + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EReadError("Cannot read file \"" + m_fileName + "\": " + systemReason());
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void *buffer, std::int64_t count)
{
    std::int64_t done = 0;
    const auto *bytes = static_cast<const char *>(buffer);
    while (done < count) {
        const ssize_t n = ::write(descriptorOf(m_file), bytes + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EWriteError("Cannot write file \"" + m_fileName + "\": " + systemReason());
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    int whence = SEEK_SET;
    switch (origin) {
    case TSeekOrigin::Beginning: whence = SEEK_SET; break;
    case TSeekOrigin::Current: whence = SEEK_CUR; break;
    case TSeekOrigin::End: whence = SEEK_END; break;
    }
    const off_t position = ::lseek(descriptorOf(m_file), static_cast<off_t>(offset), whence);
    if (position < 0)
        throw EReadError("Cannot seek in file \"" + m_fileName + "\": " + systemReason());
    return position;
}

void TFileStream::SetSize64(std::int64_t size)
{
    if (size < 0 || ::ftruncate(descriptorOf(m_file), static_cast<off_t>(size)) != 0)
        throw EWriteError("Cannot set the size of file \"" + m_fileName + "\" to " + std::to_string(size) + " bytes");
    if (GetPosition() > size)
        Seek(size, TSeekOrigin::Beginning);
}
