#include "toolkit/core/memorystream.h"

#include "toolkit/core/exceptions.h"

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

std::int64_t TMemoryStream::Read(void *buffer, std::int64_t count)
{
    const std::int64_t size = GetSize();
    if (count <= 0 || m_position >= size)
        return 0;
    const std::int64_t available = size - m_position;
    const std::int64_t taken = count < available ? count : available;
    std::memcpy(buffer, m_bytes.data() + m_position, static_cast<std::size_t>(taken));
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
    if (end > GetSize())
        SetSize64(end);
    std::memcpy(m_bytes.data() + m_position, buffer, static_cast<std::size_t>(count));
    m_position = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case TSeekOrigin::Beginning: base = 0; break;
    case TSeekOrigin::Current: base = m_position; break;
    case TSeekOrigin::End: base = GetSize(); break;
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
    try {
        m_bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc &) {
        throw EWriteError("Out of memory setting a memory stream's size to " + std::to_string(size) + " bytes");
    } catch (const std::length_error &) {
        throw EWriteError("Out of memory setting a memory stream's size to " + std::to_string(size) + " bytes");
    }
    if (m_position > size)
        m_position = size;
}

void TMemoryStream::Clear()
{
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_position = 0;
}
