#include "toolkit/graphics/bitmap.h"

#include "toolkit/core/exceptions.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

namespace {

std::uint8_t nearestIndex(const std::vector<PALETTEENTRY> &palette, std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = palette[i].peRed - red;
        const int dg = palette[i].peGreen - green;
        const int db = palette[i].peBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::vector<PALETTEENTRY> paletteEntries(HPALETTE palette)
{
    std::vector<PALETTEENTRY> entries(maxPaletteEntries);
    entries.resize(GetPaletteEntries(palette, 0, maxPaletteEntries, entries.data()));
    return entries;
}

} // namespace

int TBitmap::bytesPerRow(int width, TPixelFormat format)
{
    const std::int64_t bytes = std::int64_t{width} * (format == TPixelFormat::pf8bit ? 1 : 3);
    return static_cast<int>((bytes + 3) & ~std::int64_t{3});
}

std::size_t TBitmap::memoryRowOf(int row) const
{
    return static_cast<std::size_t>(m_bottomUp ? m_height - 1 - row : row);
}

void TBitmap::replacePixels(int width, int height, TPixelFormat format, PixelBlock pixels)
{
    m_width = width;
    m_height = height;
    m_pixelFormat = format;
    m_pixels = std::move(pixels);
}

void TBitmap::Assign(TPersistent *source)
{
    if (source == nullptr) {
        SetHandle(nullptr);
        return;
    }
    auto *bitmap = dynamic_cast<TBitmap *>(source);
    if (bitmap == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    PixelBlock pixels = bitmap->m_pixels.copy();
    UniquePalette palette(bitmap->m_palette ? CopyPalette(bitmap->m_palette.get()) : nullptr);
    replacePixels(bitmap->m_width, bitmap->m_height, bitmap->m_pixelFormat, std::move(pixels));
    m_bottomUp = bitmap->m_bottomUp;
    m_palette = std::move(palette);
    SetPaletteDirty(true);
    Changed(this);
}

void TBitmap::SetWidth(int value)
{
    SetSize(value, m_height);
}

void TBitmap::SetHeight(int value)
{
    SetSize(m_width, value);
}

void TBitmap::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    const int rowBytes = bytesPerRow(width, m_pixelFormat);
    if (width < 0 || height < 0 || std::int64_t{rowBytes} * height > maxPixelBytes)
        throw EInvalidGraphic("Invalid bitmap size " + std::to_string(width) + " x " + std::to_string(height));
    PixelBlock pixels = PixelBlock::zeroed(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height));
    const int keptRows = std::min(height, m_height);
    const int keptBytes = std::min(rowBytes, BytesPerRow());
    for (int row = 0; row < keptRows; ++row) {
        const std::size_t target = static_cast<std::size_t>(m_bottomUp ? height - 1 - row : row) * rowBytes;
        std::memcpy(pixels.data() + target, GetScanline(row), static_cast<std::size_t>(keptBytes));
    }
    replacePixels(width, height, m_pixelFormat, std::move(pixels));
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == m_pixelFormat)
        return;
    const int rowBytes = bytesPerRow(m_width, format);
    if (std::int64_t{rowBytes} * m_height > maxPixelBytes)
        throw EInvalidGraphic("Bitmap of " + std::to_string(m_width) + " x " + std::to_string(m_height) + " pixels is too large");
    // Zeroed for the padding at the end of each row.
    PixelBlock pixels = PixelBlock::zeroed(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(m_height));
    if (format == TPixelFormat::pf24bit) {
        const std::vector<PALETTEENTRY> colours = indexColours();
        for (int row = 0; row < m_height; ++row) {
            const std::uint8_t *from = GetScanline(row);
            std::uint8_t *to = pixels.data() + memoryRowOf(row) * rowBytes;
            for (int x = 0; x < m_width; ++x) {
                const PALETTEENTRY &colour = colours[from[x]];
                to[3 * x] = colour.peBlue;
                to[3 * x + 1] = colour.peGreen;
                to[3 * x + 2] = colour.peRed;
            }
        }
    } else {
        // Pixels need colours to map to; an empty bitmap keeps having none.
        if (!m_palette && !GetEmpty())
            m_palette.reset(CreateHalftonePalette(nullptr));
        const std::vector<PALETTEENTRY> palette = paletteEntries(m_palette.get());
        std::unordered_map<std::uint32_t, std::uint8_t> nearest;
        for (int row = 0; row < m_height; ++row) {
            const std::uint8_t *from = GetScanline(row);
            std::uint8_t *to = pixels.data() + memoryRowOf(row) * rowBytes;
            for (int x = 0; x < m_width; ++x) {
                const std::uint8_t *bgr = from + 3 * x;
                const std::uint32_t key = bgr[0] | (bgr[1] << 8) | (bgr[2] << 16);
                auto found = nearest.find(key);
                if (found == nearest.end())
                    found = nearest.emplace(key, nearestIndex(palette, bgr[0], bgr[1], bgr[2])).first;
                to[x] = found->second;
            }
        }
    }
    replacePixels(m_width, m_height, format, std::move(pixels));
    Changed(this);
}

void TBitmap::SetBottomUp(bool bottomUp)
{
    if (bottomUp == m_bottomUp)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(BytesPerRow());
    for (int top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(m_pixels.data() + top * rowBytes, m_pixels.data() + (top + 1) * rowBytes, m_pixels.data() + bottom * rowBytes);
    m_bottomUp = bottomUp;
}

std::uint8_t *TBitmap::GetScanline(int row)
{
    if (row < 0 || row >= m_height)
        throw EInvalidGraphic("Scan line index out of range");
    return m_pixels.data() + memoryRowOf(row) * static_cast<std::size_t>(BytesPerRow());
}

void TBitmap::SetPalette(HPALETTE palette)
{
    if (palette == m_palette.get())
        return;
    m_palette.reset(palette);
    SetPaletteDirty(true);
    Changed(this);
}

void TBitmap::SetHandle(std::nullptr_t)
{
    replacePixels(0, 0, m_pixelFormat, PixelBlock());
    Changed(this);
}

std::vector<PALETTEENTRY> TBitmap::indexColours() const
{
    std::vector<PALETTEENTRY> colours;
    if (m_palette) {
        colours = paletteEntries(m_palette.get());
    } else {
        for (int level = 0; level < maxPaletteEntries; ++level) {
            const auto value = static_cast<std::uint8_t>(level);
            colours.push_back({value, value, value, 0});
        }
    }
    colours.resize(maxPaletteEntries);
    return colours;
}
