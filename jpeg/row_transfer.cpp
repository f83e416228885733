#include "jpeg/row_transfer.h"

#include "jpeg/codec_guard.h"
#include "toolkit/graphics/bitmap.h"

#include <algorithm>

RowTransfer::RowTransfer(TBitmap &bitmap) : m_height(bitmap.GetHeight())
{
    if (m_height == 0)
        return;
    m_rowZero = bitmap.GetScanline(0);
    // A single row has no successor; its own stride stands in for the distance.
    m_distance = m_height > 1 ? bitmap.GetScanline(1) - m_rowZero : bitmap.BytesPerRow();
}

void RowTransfer::readRows(j_decompress_ptr codec)
{
    const int perCall = severalRowsPerCall() ? std::max(codec->rec_outbuf_height, 1) : 1;
    m_rows.resize(static_cast<std::size_t>(perCall));
    while (codec->output_scanline < codec->output_height) {
        const JDIMENSION first = codec->output_scanline;
        const JDIMENSION wanted = std::min<JDIMENSION>(static_cast<JDIMENSION>(perCall), codec->output_height - first);
        for (JDIMENSION i = 0; i < wanted; ++i)
            m_rows[i] = rowAddress(first + i);
        JSAMPARRAY rows = m_rows.data();
        // The stream source never suspends, so no rows means no progress is
        // possible; stopping beats spinning.
        if (callCodec(codec, [codec, rows, wanted] { return jpeg_read_scanlines(codec, rows, wanted); }) == 0)
            break;
    }
}

void RowTransfer::writeRows(j_compress_ptr codec)
{
    const bool allAtOnce = severalRowsPerCall();
    m_rows.resize(allAtOnce ? static_cast<std::size_t>(m_height) : 1);
    if (allAtOnce) {
        for (int y = 0; y < m_height; ++y)
            m_rows[static_cast<std::size_t>(y)] = rowAddress(static_cast<JDIMENSION>(y));
    }
    while (codec->next_scanline < codec->image_height) {
        const JDIMENSION first = codec->next_scanline;
        JSAMPARRAY rows = allAtOnce ? m_rows.data() + first : m_rows.data();
        if (!allAtOnce)
            m_rows[0] = rowAddress(first);
        const JDIMENSION count = allAtOnce ? codec->image_height - first : 1;
        if (callCodec(codec, [codec, rows, count] { return jpeg_write_scanlines(codec, rows, count); }) == 0)
            break;
    }
}
