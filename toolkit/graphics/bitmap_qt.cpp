// TBitmap's meeting points with Qt: drawing, images and the clipboard.
#include "toolkit/graphics/bitmap.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/graphics/canvas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <string>

QImage TBitmap::wrapRows()
{
    if (GetEmpty())
        return {};
    const QImage::Format format = m_pixelFormat == TPixelFormat::pf8bit ? QImage::Format_Indexed8 : QImage::Format_BGR888;
    // The pixels stay ours: the image only points at them.
    QImage image(m_pixels.data(), m_width, m_height, BytesPerRow(), format);
    if (m_pixelFormat == TPixelFormat::pf8bit) {
        QList<QRgb> table;
        for (const PALETTEENTRY &colour : indexColours())
            table.append(qRgb(colour.peRed, colour.peGreen, colour.peBlue));
        image.setColorTable(table);
    }
    return image;
}

QImage TBitmap::ToImage()
{
    QImage image = wrapRows().convertToFormat(QImage::Format_RGB888);
    return m_bottomUp ? image.mirrored(false, true) : image;
}

void TBitmap::Draw(TCanvas &canvas, const TRect &rect)
{
    if (GetEmpty())
        return;
    const QImage rows = wrapRows();
    QPainter &painter = canvas.Surface();
    painter.save();
    QRect target(rect.Left, rect.Top, rect.Width(), rect.Height());
    if (m_bottomUp) {
        // Memory holds the last row first: draw it mirrored about the middle
        // of the target instead of copying the rows into the other order.
        painter.translate(0, rect.Top + rect.Bottom);
        painter.scale(1, -1);
    }
    painter.drawImage(target, rows);
    painter.restore();
}

void TBitmap::LoadFromClipboardFormat(TClipboardFormat format, THandle, HPALETTE)
{
    if (format != CF_BITMAP)
        throw EInvalidGraphic("Unsupported clipboard format " + std::to_string(format));
    if (qGuiApp == nullptr)
        throw EInvalidGraphicOperation("The clipboard cannot be read without a running application");
    const QImage image = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_BGR888);
    if (image.isNull())
        throw EInvalidGraphic("The clipboard holds no picture");
    const int rowBytes = bytesPerRow(image.width(), TPixelFormat::pf24bit);
    // Zeroed for the padding at the end of each row.
    PixelBlock pixels = PixelBlock::zeroed(static_cast<std::size_t>(rowBytes) * image.height());
    for (int row = 0; row < image.height(); ++row)
        std::copy_n(image.constScanLine(row), 3 * image.width(), pixels.data() + static_cast<std::ptrdiff_t>(row) * rowBytes);
    replacePixels(image.width(), image.height(), TPixelFormat::pf24bit, std::move(pixels));
    m_bottomUp = false;
    SetPaletteDirty(true);
    Changed(this);
}

void TBitmap::SaveToClipboardFormat(TClipboardFormat &format, THandle &data, HPALETTE &palette)
{
    if (qGuiApp == nullptr)
        throw EInvalidGraphicOperation("The clipboard cannot be written without a running application");
    QGuiApplication::clipboard()->setImage(ToImage());
    format = CF_BITMAP;
    data = 0;
    palette = m_palette ? CopyPalette(m_palette.get()) : nullptr;
}
