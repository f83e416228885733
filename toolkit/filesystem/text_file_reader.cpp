#include "toolkit/filesystem/text_file_reader.h"

#include <cstring>
#include <utility>

namespace {
// Scheme files are small; one read usually takes a whole file.
constexpr std::size_t chunkSize = 8 * 1024;
}

TextFileReader::TextFileReader(const std::string &path)
    : m_file(ReadOnlyFile::open(path, m_error))
{
}

TextFileReader TextFileReader::refused(int error)
{
    TextFileReader reader;
    reader.m_error = error;
    return reader;
}

TextFileReader::~TextFileReader() noexcept
{
    if (m_file != ReadOnlyFile::invalidHandle)
        ReadOnlyFile::close(m_file);
}

TextFileReader::TextFileReader(TextFileReader &&other) noexcept
    : m_file(std::exchange(other.m_file, ReadOnlyFile::invalidHandle))
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
        if (m_file != ReadOnlyFile::invalidHandle)
            ReadOnlyFile::close(m_file);
        m_file = std::exchange(other.m_file, ReadOnlyFile::invalidHandle);
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
    const std::ptrdiff_t got = ReadOnlyFile::read(m_file, m_buffer.get() + m_end, m_capacity - m_end, m_error);
    if (got > 0) {
        m_end += static_cast<std::size_t>(got);
        return true;
    }
    m_failed = got < 0;
    return false;
}

TextFileReader::Read TextFileReader::readLine(std::string &line)
{
    if (m_file == ReadOnlyFile::invalidHandle || m_failed)
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
