#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// A block of pixel bytes from the C heap. Large blocks come straight from the
// system, whose fresh pages read as zero until first written: zeroed bytes
// cost no pass over the memory, and each page is touched once, by whatever
// fills it. Move-only.
class PixelBlock {
public:
    PixelBlock() = default;

    // size zero bytes. Throws std::bad_alloc when memory cannot hold them.
    static PixelBlock zeroed(std::size_t size);
    // size bytes that the caller fills whole: nothing is written to them first.
    static PixelBlock forOverwrite(std::size_t size);
    // A copy of the bytes. Throws std::bad_alloc.
    PixelBlock copy() const;

    std::uint8_t *data() noexcept { return m_bytes.get(); }
    const std::uint8_t *data() const noexcept { return m_bytes.get(); }
    std::size_t size() const noexcept { return m_size; }

private:
    struct Free {
        void operator()(std::uint8_t *bytes) const noexcept { std::free(bytes); }
    };
    PixelBlock(std::uint8_t *bytes, std::size_t size);

    std::unique_ptr<std::uint8_t, Free> m_bytes;
    std::size_t m_size = 0;
};
