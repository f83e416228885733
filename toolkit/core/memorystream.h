#pragma once

#include "toolkit/core/stream.h"

#include <cstdint>
#include <vector>

// A growable stream held in memory as one block, so that its bytes can be
// handed to code that wants an address and a length.
class TMemoryStream : public TStream {
public:
    // Largest size a memory stream takes (1 GiB): a size read from damaged
    // data is refused instead of exhausting memory.
    static constexpr std::int64_t maxSize = std::int64_t{1} << 30;

    std::int64_t Read(void *buffer, std::int64_t count) override;
    std::int64_t Write(const void *buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Raises EWriteError for a negative size, one above maxSize or one that
    // memory cannot hold;
    // the stream is unchanged then.
    void SetSize64(std::int64_t size) override;
    std::int64_t GetSize() override { return static_cast<std::int64_t>(m_bytes.size()); }

    // The first byte of the block, valid until the size changes; nullptr
    // while the stream is empty.
    std::uint8_t *Memory() { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    const std::uint8_t *Memory() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }

    // Size 0, position 0.
    void Clear();

private:
    std::vector<std::uint8_t> m_bytes;
    std::int64_t m_position = 0;
};
