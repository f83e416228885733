#include "jpeg/byte_view_stream.h"

#include "toolkit/core/exceptions.h"

#include <algorithm>
#include <cstring>

std::int64_t ByteViewStream::Read(void *buffer, std::int64_t count)
{
    const std::int64_t available = std::max<std::int64_t>(m_size - m_position, 0);
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, available);
    if (n > 0)
        std::memcpy(buffer, m_bytes + m_position, static_cast<std::size_t>(n));
    m_position += n;
    return n;
}

std::int64_t ByteViewStream::Write(const void *, std::int64_t)
{
    throw EWriteError("Cannot write to read-only picture data");
}

std::int64_t ByteViewStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t base = origin == TSeekOrigin::Beginning ? 0 : origin == TSeekOrigin::Current ? m_position : m_size;
    if (base + offset < 0)
        throw EReadError("Stream seek before the start");
    m_position = base + offset;
    return m_position;
}

void ByteViewStream::SetSize64(std::int64_t)
{
    throw EWriteError("Cannot resize read-only picture data");
}
