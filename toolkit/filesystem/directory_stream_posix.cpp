#include "toolkit/filesystem/directory_stream.h"

#include <cerrno>
#include <utility>

DirectoryStream::DirectoryStream(const std::string &path)
    : m_dir(::opendir(path.c_str()))
{
    if (m_dir == nullptr)
        m_error = errno;
}

DirectoryStream::~DirectoryStream() noexcept
{
    if (m_dir != nullptr)
        ::closedir(m_dir);
}

DirectoryStream::DirectoryStream(DirectoryStream &&other) noexcept
    : m_dir(std::exchange(other.m_dir, nullptr))
    , m_error(other.m_error)
{
}

DirectoryStream &DirectoryStream::operator=(DirectoryStream &&other) noexcept
{
    if (this != &other) {
        if (m_dir != nullptr)
            ::closedir(m_dir);
        m_dir = std::exchange(other.m_dir, nullptr);
        m_error = other.m_error;
    }
    return *this;
}

const dirent *DirectoryStream::next()
{
    if (m_dir == nullptr)
        return nullptr;
    // readdir signals both the end and an error by nullptr; only errno tells
    // them apart, so it is cleared first.
    errno = 0;
    const dirent *entry = ::readdir(m_dir);
    if (entry == nullptr)
        m_error = errno;
    return entry;
}

int DirectoryStream::descriptor() const
{
    return m_dir != nullptr ? ::dirfd(m_dir) : -1;
}
