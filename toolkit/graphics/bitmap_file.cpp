// Windows BMP reading and writing for TBitmap.
#include "toolkit/graphics/bitmap.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/core/stream.h"

#include <array>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr std::uint32_t uncompressed = 0; // BI_RGB

std::uint16_t getU16(const std::uint8_t *bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t getU32(const std::uint8_t *bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void putU16(std::uint8_t *bytes, std::uint16_t value)
{
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(std::uint8_t *bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

[[noreturn]] void invalidBitmap(const std::string &reason)
{
    throw EInvalidGraphic("Bitmap image is not valid: " + reason);
}

} // namespace

void TBitmap::LoadFromStream(TStream &stream)
{
    std::array<std::uint8_t, fileHeaderSize + infoHeaderSize> header{};
    stream.ReadBuffer(header.data(), fileHeaderSize + 4);
    if (header[0] != 'B' || header[1] != 'M')
        invalidBitmap("no BM signature");
    const std::uint32_t pixelOffset = getU32(&header[10]);
    const std::uint32_t infoSize = getU32(&header[14]);
    // The 40-byte header and its later, longer versions share the first 40 bytes.
    if (infoSize < infoHeaderSize || infoSize > 1024)
        invalidBitmap("unsupported information header of " + std::to_string(infoSize) + " bytes");
    stream.ReadBuffer(&header[fileHeaderSize + 4], infoHeaderSize - 4);
    for (std::uint32_t extra = infoSize - infoHeaderSize; extra > 0;) {
        std::array<std::uint8_t, 64> skipped{};
        const std::uint32_t chunk = extra < skipped.size() ? extra : static_cast<std::uint32_t>(skipped.size());
        stream.ReadBuffer(skipped.data(), chunk);
        extra -= chunk;
    }

    const std::uint8_t *info = &header[fileHeaderSize];
    const auto width = static_cast<std::int32_t>(getU32(info + 4));
    const auto storedHeight = static_cast<std::int32_t>(getU32(info + 8));
    const std::uint16_t planes = getU16(info + 12);
    const std::uint16_t bitCount = getU16(info + 14);
    const std::uint32_t compression = getU32(info + 16);
    const std::uint32_t coloursUsed = getU32(info + 32);
    if (planes != 1)
        invalidBitmap(std::to_string(planes) + " planes");
    if (bitCount != 8 && bitCount != 24)
        invalidBitmap(std::to_string(bitCount) + " bits per pixel");
    if (compression != uncompressed)
        invalidBitmap("compressed pixels");
    if (width < 0 || storedHeight == std::numeric_limits<std::int32_t>::min())
        invalidBitmap("size " + std::to_string(width) + " x " + std::to_string(storedHeight));
    const bool bottomUp = storedHeight >= 0;
    const int height = std::abs(storedHeight);
    const TPixelFormat format = bitCount == 8 ? TPixelFormat::pf8bit : TPixelFormat::pf24bit;
    const int rowBytes = bytesPerRow(width, format);
    const std::int64_t pixelBytes = std::int64_t{rowBytes} * height;
    if (pixelBytes > maxPixelBytes)
        invalidBitmap("size " + std::to_string(width) + " x " + std::to_string(height) + " is too large");

    UniquePalette palette;
    std::uint32_t headerBytes = fileHeaderSize + infoSize;
    if (bitCount == 8) {
        const std::uint32_t entries = coloursUsed == 0 ? maxPaletteEntries : coloursUsed;
        if (entries > maxPaletteEntries)
            invalidBitmap(std::to_string(entries) + " colour table entries");
        LOGPALETTE description;
        description.palNumEntries = static_cast<std::uint16_t>(entries);
        for (std::uint32_t i = 0; i < entries; ++i) {
            std::array<std::uint8_t, 4> quad{};
            stream.ReadBuffer(quad.data(), quad.size());
            description.palPalEntry[i] = {quad[2], quad[1], quad[0], 0};
        }
        headerBytes += 4 * entries;
        palette.reset(CreatePalette(&description));
    }
    if (pixelOffset != 0) {
        if (pixelOffset < headerBytes)
            invalidBitmap("pixels overlap the headers");
        for (std::uint32_t gap = pixelOffset - headerBytes; gap > 0;) {
            std::array<std::uint8_t, 256> skipped{};
            const std::uint32_t chunk = gap < skipped.size() ? gap : static_cast<std::uint32_t>(skipped.size());
            stream.ReadBuffer(skipped.data(), chunk);
            gap -= chunk;
        }
    }
    // Refuse a size that the stream cannot back before allocating for it.
    if (pixelBytes > stream.GetSize() - stream.GetPosition())
        throw EReadError("Stream read error");
    // Read straight into the rows, as the file lays them out.
    PixelBlock pixels = PixelBlock::forOverwrite(static_cast<std::size_t>(pixelBytes));
    stream.ReadBuffer(pixels.data(), pixelBytes);

    replacePixels(width, height, format, std::move(pixels));
    m_bottomUp = bottomUp;
    if (format == TPixelFormat::pf8bit)
        m_palette = std::move(palette);
    SetPaletteDirty(true);
    Changed(this);
}

void TBitmap::SaveToStream(TStream &stream)
{
    const bool indexed = m_pixelFormat == TPixelFormat::pf8bit;
    const std::vector<PALETTEENTRY> colours = indexed ? indexColours() : std::vector<PALETTEENTRY>{};
    std::uint32_t tableEntries = 0;
    if (indexed)
        tableEntries = m_palette ? GetPaletteEntries(m_palette.get(), 0, 0, nullptr) : maxPaletteEntries;
    const std::uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + 4 * tableEntries;
    const auto pixelBytes = static_cast<std::uint32_t>(m_pixels.size());

    std::array<std::uint8_t, fileHeaderSize + infoHeaderSize> header{};
    header[0] = 'B';
    header[1] = 'M';
    putU32(&header[2], pixelOffset + pixelBytes);
    putU32(&header[10], pixelOffset);
    std::uint8_t *info = &header[fileHeaderSize];
    putU32(info, infoHeaderSize);
    putU32(info + 4, static_cast<std::uint32_t>(m_width));
    // A negative height marks top-down rows.
    putU32(info + 8, static_cast<std::uint32_t>(m_bottomUp ? m_height : -m_height));
    putU16(info + 12, 1);
    putU16(info + 14, indexed ? 8 : 24);
    putU32(info + 16, uncompressed);
    putU32(info + 20, pixelBytes);
    putU32(info + 32, tableEntries);
    stream.WriteBuffer(header.data(), header.size());

    for (std::uint32_t i = 0; i < tableEntries; ++i) {
        const std::array<std::uint8_t, 4> quad{colours[i].peBlue, colours[i].peGreen, colours[i].peRed, 0};
        stream.WriteBuffer(quad.data(), quad.size());
    }
    // Rows are kept in memory exactly as the file lays them out.
    stream.WriteBuffer(m_pixels.data(), pixelBytes);
}
