#pragma once

#include "toolkit/core/stream.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

// A growable stream held in memory as one block, so that its bytes can be
// handed to code that wants an address and a length. The block grows in
// place where the heap allows (large blocks are remapped, not copied), and
// only bytes that are not written are zeroed.
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
    std::int64_t GetSize() override { return m_size; }

    // Reads exactly count bytes of source straight into the block at the
    // position, as ReadBuffer would into a buffer of that size. Raises
    // EWriteError when the stream cannot grow that far and EReadError when
    // source ends first; the size and position are unchanged then.
    void ReadFrom(TStream &source, std::int64_t count);

    // The first byte of the block, valid until the size changes; nullptr
    // while the stream is empty.
    std::uint8_t *Memory() { return m_size == 0 ? nullptr : m_bytes.get(); }
    const std::uint8_t *Memory() const { return m_size == 0 ? nullptr : m_bytes.get(); }

    // Size 0, position 0.
    void Clear();

private:
    struct Free {
        void operator()(std::uint8_t *bytes) const noexcept { std::free(bytes); }
    };
    // Room for at least capacity bytes; the bytes held stay. Raises
    // EWriteError when memory cannot hold it, changing nothing.
    void reserve(std::int64_t capacity);
    // Room for a write or read that ends at end: the block grows by half
    // again at least, so that appending stays cheap.
    void reserveForEnd(std::int64_t end);

    std::unique_ptr<std::uint8_t, Free> m_bytes;
    std::int64_t m_size = 0;
    std::int64_t m_capacity = 0;
    std::int64_t m_position = 0;
};
