#pragma once

#include "toolkit/core/stream.h"

#include <cstdint>

// A read-only stream over bytes owned by someone else, with a position of its
// own. The decoder reads a holder's bytes through one, so that pictures
// sharing the holder never disturb each other's reading position. The bytes
// must outlive the view and must not change while it is used.
class ByteViewStream : public TStream {
public:
    ByteViewStream(const std::uint8_t *bytes, std::int64_t size) : m_bytes(bytes), m_size(size) {}

    std::int64_t Read(void *buffer, std::int64_t count) override;
    // Always raises EWriteError: the bytes are not ours to change.
    std::int64_t Write(const void *buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Always raises EWriteError.
    void SetSize64(std::int64_t size) override;
    std::int64_t GetSize() override { return m_size; }

private:
    const std::uint8_t *m_bytes;
    std::int64_t m_size;
    std::int64_t m_position = 0;
};
