// TBitmap's meeting points with Windows: drawing through GDI and the system
// clipboard.
#include "toolkit/graphics/bitmap.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/core/memory_stream.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/gdi_win32.h"

#include <string>

void TBitmap::Draw(TCanvas &canvas, const TRect &rect)
{
    if (GetEmpty())
        return;
    std::vector<std::uint32_t> colours;
    if (m_pixelFormat == TPixelFormat::pf8bit) {
        for (const PALETTEENTRY &colour : indexColours())
            colours.push_back(std::uint32_t{colour.peRed} << 16 | std::uint32_t{colour.peGreen} << 8 | colour.peBlue);
    }
    const DibRows rows{m_pixels.data(), m_width, m_height, m_pixelFormat == TPixelFormat::pf8bit ? 8 : 24, m_bottomUp,
                       colours.data()};
    stretchDibRows(canvas.Surface(), rows, rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TBitmap::LoadFromClipboardFormat(TClipboardFormat format, THandle, HPALETTE)
{
    if (format != CF_BITMAP)
        throw EInvalidGraphic("Unsupported clipboard format " + std::to_string(format));
    const std::vector<std::uint8_t> file = clipboardBitmapFile();
    if (file.empty())
        throw EInvalidGraphic("The clipboard holds no picture");
    TMemoryStream stream;
    stream.Write(file.data(), static_cast<std::int64_t>(file.size()));
    stream.SetPosition(0);
    // Loaded into a scratch bitmap, so that a picture this bitmap cannot
    // hold leaves it as it was.
    TBitmap pasted;
    pasted.LoadFromStream(stream);
    pasted.SetPixelFormat(TPixelFormat::pf24bit);
    pasted.SetBottomUp(false);
    replacePixels(pasted.m_width, pasted.m_height, TPixelFormat::pf24bit, std::move(pasted.m_pixels));
    m_bottomUp = false;
    SetPaletteDirty(true);
    Changed(this);
}

void TBitmap::SaveToClipboardFormat(TClipboardFormat &format, THandle &data, HPALETTE &palette)
{
    TMemoryStream stream;
    SaveToStream(stream);
    const std::uint8_t *bytes = stream.Memory();
    if (!putBitmapFileOnClipboard({bytes, bytes + stream.GetSize()}))
        throw EInvalidGraphicOperation("The clipboard cannot be written");
    format = CF_BITMAP;
    data = 0;
    palette = m_palette ? CopyPalette(m_palette.get()) : nullptr;
}
