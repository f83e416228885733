#include "toolkit/filesystem/text_file_reader.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {
// Scheme files are small; one read usually takes a whole file.
constexpr std::size_t chunkSize = 8 * 1024;
}

TextFileReader::TextFileReader(const std::string &path)
    : m_descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
{
    if (m_descriptor < 0)
        m_error = errno;
}

TextFileReader TextFileReader::refused(int error)
{
    TextFileReader reader;
    reader.m_error = error;
    return reader;
}

TextFileReader::~TextFileReader() noexcept
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

TextFileReader::TextFileReader(TextFileReader &&other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
    , m_error(other.m_error)
    , m_buffer(std::move(other.m_buffer))
    , m_capacity(std::exchange(other.m_capacity, 0))
    , m_begin(std::exchange(other.m_begin, 0))
    , m_end(std::exchange(other.m_end, 0))
    , m_failed(other.m_failed)
{
}

TextFileReader &TextFileReader::operator=(TextFileReader &&other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_error = other.m_error;
        m_buffer = std::move(other.m_buffer);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_begin = std::exchange(other.m_begin, 0);
        m_end = std::exchange(other.m_end, 0);
        m_failed = other.m_failed;
    }
    return *this;
}

bool TextFileReader::refill()
{
    // Keep the unread tail at the front and make room for one more chunk;
    // a line longer than the buffer doubles it (the bytes need no zeroing).
    if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_capacity - m_end < chunkSize / 2) {
        const std::size_t capacity = m_capacity == 0 ? chunkSize : m_capacity * 2;
        std::unique_ptr<char[]> grown(new char[capacity]);
        if (m_end > 0)
            std::memcpy(grown.get(), m_buffer.get(), m_end);
        m_buffer = std::move(grown);
        m_capacity = capacity;
    }
    for (;;) {
        const ssize_t got = ::read(m_descriptor, m_buffer.get() + m_end, m_capacity - m_end);
        if (got > 0) {
            m_end += static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0)
            return false;
        if (errno != EINTR) {
            m_error = errno;
            m_failed = true;
            return false;
        }
    }
}

TextFileReader::Read TextFileReader::readLine(std::string &line)
{
    if (m_descriptor < 0 || m_failed)
        return Read::Error;
    std::size_t searched = m_begin;
    for (;;) {
        const void *feed = searched < m_end ? std::memchr(m_buffer.get() + searched, '\n', m_end - searched) : nullptr;
        if (feed != nullptr) {
            const std::size_t at = static_cast<std::size_t>(static_cast<const char *>(feed) - m_buffer.get());
            std::size_t end = at;
            if (end > m_begin && m_buffer[end - 1] == '\r')
                --end;
            line.assign(m_buffer.get() + m_begin, end - m_begin);
            m_begin = at + 1;
            return Read::Line;
        }
        const std::size_t unread = m_end - m_begin;
        if (!refill()) {
            if (m_failed)
                return Read::Error;
            if (m_begin == m_end)
                return Read::End;
            // A last line without a line feed.
            line.assign(m_buffer.get() + m_begin, m_end - m_begin);
            m_begin = m_end;
            return Read::Line;
        }
        searched = m_begin + unread;
    }
}
