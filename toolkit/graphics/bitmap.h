#pragma once

#include "toolkit/graphics/graphic.h"
#include "toolkit/graphics/pixel_block.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#ifndef _WIN32
class QImage;
#endif

enum class TPixelFormat {
    pf8bit,  // one palette index per pixel
    pf24bit, // blue, green, red bytes per pixel
};

// A picture held as rows of pixels in memory. Rows are 4-byte aligned. They
// lie top-down by default (row 1 follows row 0 in memory); a bottom-up bitmap
// keeps row 0 last, so that GetScanline(1) - GetScanline(0) is negative. An
// 8-bit bitmap shows its indices through its palette, or as gray levels while
// it has none. The bitmap owns a palette set on it.
class TBitmap : public TGraphic {
public:
    static constexpr std::string_view StaticClassName = "TBitmap";
    // Largest pixel block a bitmap accepts, so that a bad size is refused
    // instead of exhausting memory.
    static constexpr std::int64_t maxPixelBytes = std::int64_t{1} << 30;

    TBitmap() = default;
    std::string ClassName() const override { return std::string(StaticClassName); }

    // A TBitmap source is copied whole (pixels, format, row order and a copy of
    // its palette); nullptr empties this bitmap; anything else is asked to
    // AssignTo this bitmap.
    void Assign(TPersistent *source) override;

    bool GetEmpty() override { return m_width == 0 || m_height == 0; }
    int GetWidth() override { return m_width; }
    int GetHeight() override { return m_height; }
    // Resizing keeps the pixels that stay inside; new pixels are zero.
    // Negative or too large sizes raise EInvalidGraphic.
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    void SetSize(int width, int height);

    TPixelFormat GetPixelFormat() const { return m_pixelFormat; }
    // Converts the pixels: 8 to 24 bits through the palette, 24 to 8 bits to
    // the nearest palette colour (a halftone palette is made when there is
    // none and there are pixels to convert).
    void SetPixelFormat(TPixelFormat format);

    bool IsBottomUp() const { return m_bottomUp; }
    // Reorders the rows in memory; the picture stays the same.
    void SetBottomUp(bool bottomUp);

    // Address of the first byte of row; EInvalidGraphic "Scan line index out
    // of range" for a row outside 0..height-1.
    std::uint8_t *GetScanline(int row);
    int BytesPerRow() const { return bytesPerRow(m_width, m_pixelFormat); }

    // The palette, still owned by the bitmap; nullptr for none.
    HPALETTE GetPalette() override { return m_palette.get(); }
    // Takes over palette (the old one is deleted unless it is the same).
    void SetPalette(HPALETTE palette) override;

    // With no handle: the bitmap becomes empty (0 x 0); pixel format, row
    // order and palette stay.
    void SetHandle(std::nullptr_t);

    // Windows BMP files: 8 bits with colour table or 24 bits, uncompressed.
    // Loading keeps the row order of the file; saving writes the bitmap's
    // own order. A malformed file raises EInvalidGraphic and leaves the
    // bitmap as it was; a short stream raises EReadError.
    void LoadFromStream(TStream &stream) override;
    void SaveToStream(TStream &stream) override;

    // The clipboard is the application's (Qt) or the system's (Windows).
    // Only CF_BITMAP: takes the clipboard's picture as a 24-bit bitmap.
    // EInvalidGraphic when the format is another one or the clipboard holds
    // no picture; EInvalidGraphicOperation without a running application.
    void LoadFromClipboardFormat(TClipboardFormat format, THandle data, HPALETTE palette) override;
    // Puts a copy of the picture on the clipboard; format CF_BITMAP, data 0,
    // palette a copy of the bitmap's own (the caller deletes it) or nullptr.
    void SaveToClipboardFormat(TClipboardFormat &format, THandle &data, HPALETTE &palette) override;

    // Scaled into rect, the palette applied to 8-bit pixels. Draws the rows in
    // place: no copy of the pixels is made.
    void Draw(TCanvas &canvas, const TRect &rect) override;

#ifndef _WIN32
    // The picture as a new QImage in RGB order, top row first, independent of
    // the bitmap (for the clipboard and for checking what is shown).
    QImage ToImage();
#endif

private:
    static int bytesPerRow(int width, TPixelFormat format);
#ifndef _WIN32
    // The rows wrapped in a QImage as they lie in memory (upside down for a
    // bottom-up bitmap); valid while the pixels are unchanged.
    QImage wrapRows();
#endif
    std::size_t memoryRowOf(int row) const;
    void replacePixels(int width, int height, TPixelFormat format, PixelBlock pixels);
    // The colours that 8-bit indices stand for: the palette, padded with
    // black to 256 entries, or a gray ramp.
    std::vector<PALETTEENTRY> indexColours() const;

    int m_width = 0;
    int m_height = 0;
    TPixelFormat m_pixelFormat = TPixelFormat::pf24bit;
    bool m_bottomUp = false;
    PixelBlock m_pixels;
    UniquePalette m_palette;
};
