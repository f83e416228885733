#include "toolkit/graphics/pixel_block.h"

#include <cstring>
#include <new>

PixelBlock::PixelBlock(std::uint8_t *bytes, std::size_t size) : m_bytes(bytes), m_size(size)
{
    if (bytes == nullptr && size != 0)
        throw std::bad_alloc();
}

PixelBlock PixelBlock::zeroed(std::size_t size)
{
    return size == 0 ? PixelBlock() : PixelBlock(static_cast<std::uint8_t *>(std::calloc(size, 1)), size);
}

PixelBlock PixelBlock::forOverwrite(std::size_t size)
{
    return size == 0 ? PixelBlock() : PixelBlock(static_cast<std::uint8_t *>(std::malloc(size)), size);
}

PixelBlock PixelBlock::copy() const
{
    PixelBlock copied = forOverwrite(m_size);
    if (m_size != 0)
        std::memcpy(copied.data(), data(), m_size);
    return copied;
}
