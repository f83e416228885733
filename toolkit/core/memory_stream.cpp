#include "toolkit/core/memory_stream.h"

#include "toolkit/core/exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

void TMemoryStream::reserve(std::int64_t capacity)
{
    if (capacity <= m_capacity)
        return;
    auto *grown = static_cast<std::uint8_t *>(std::realloc(m_bytes.get(), static_cast<std::size_t>(capacity)));
    if (grown == nullptr)
        throw EWriteError("Out of memory setting a memory stream's size to " + std::to_string(capacity) + " bytes");
    (void)m_bytes.release(); // realloc took it over
    m_bytes.reset(grown);
    m_capacity = capacity;
}

void TMemoryStream::reserveForEnd(std::int64_t end)
{
    if (end > m_capacity)
        reserve(std::max(end, std::min(maxSize, m_capacity + m_capacity / 2)));
}

std::int64_t TMemoryStream::Read(void *buffer, std::int64_t count)
{
    if (count <= 0 || m_position >= m_size)
        return 0;
    const std::int64_t available = m_size - m_position;
    const std::int64_t taken = count < available ? count : available;
    std::memcpy(buffer, m_bytes.get() + m_position, static_cast<std::size_t>(taken));
    m_position += taken;
    return taken;
}

std::int64_t TMemoryStream::Write(const void *buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    if (m_position > maxSize || count > maxSize - m_position)
        throw EWriteError("Memory stream cannot grow beyond " + std::to_string(maxSize) + " bytes");
    const std::int64_t end = m_position + count;
    reserveForEnd(end);
    // A gap between the end and the position reads as zeros.
    if (m_position > m_size)
        std::memset(m_bytes.get() + m_size, 0, static_cast<std::size_t>(m_position - m_size));
    std::memcpy(m_bytes.get() + m_position, buffer, static_cast<std::size_t>(count));
    m_size = std::max(m_size, end);
    m_position = end;
    return count;
}

void TMemoryStream::ReadFrom(TStream &source, std::int64_t count)
{
    if (count <= 0)
        return;
    if (m_position > maxSize || count > maxSize - m_position)
        throw EWriteError("Memory stream cannot grow beyond " + std::to_string(maxSize) + " bytes");
    const std::int64_t end = m_position + count;
    reserveForEnd(end);
    source.ReadBuffer(m_bytes.get() + m_position, count);
    if (m_position > m_size)
        std::memset(m_bytes.get() + m_size, 0, static_cast<std::size_t>(m_position - m_size));
    m_size = std::max(m_size, end);
    m_position = end;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case TSeekOrigin::Beginning: base = 0; break;
    case TSeekOrigin::Current: base = m_position; break;
    case TSeekOrigin::End: base = m_size; break;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset))
        throw EReadError("Cannot seek a memory stream to " + std::to_string(offset) + " from " + std::to_string(base));
    m_position = base + offset;
    return m_position;
}

void TMemoryStream::SetSize64(std::int64_t size)
{
    if (size < 0 || size > maxSize)
        throw EWriteError("Cannot set a memory stream's size to " + std::to_string(size) + " bytes");
    reserve(size);
    if (size > m_size)
        std::memset(m_bytes.get() + m_size, 0, static_cast<std::size_t>(size - m_size));
    m_size = size;
    if (m_position > size)
        m_position = size;
}

void TMemoryStream::Clear()
{
    m_bytes.reset();
    m_size = 0;
    m_capacity = 0;
    m_position = 0;
}
