#include "toolkit/core/stream.h"

#include "toolkit/core/exceptions.h"

void TStream::ReadBuffer(void *buffer, std::int64_t count)
{
    if (count < 0 || (count > 0 && Read(buffer, count) != count))
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void *buffer, std::int64_t count)
{
    if (count < 0 || (count > 0 && Write(buffer, count) != count))
        throw EWriteError("Stream write error");
}

std::int64_t TStream::GetPosition()
{
    return Seek(0, TSeekOrigin::Current);
}

void TStream::SetPosition(std::int64_t position)
{
    Seek(position, TSeekOrigin::Beginning);
}

std::int64_t TStream::GetSize()
{
    const std::int64_t position = Seek(0, TSeekOrigin::Current);
    const std::int64_t size = Seek(0, TSeekOrigin::End);
    Seek(position, TSeekOrigin::Beginning);
    return size;
}
