#pragma once

#include "jpeg/libjpeg.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap;

// Where the codec reads or writes a bitmap's rows: row 0's address and the
// distance from one row to the next (negative for bottom-up rows). The codec
// gets the rows' own addresses, so no row is copied or reordered; several rows
// move per call only when they lie top-down at a distance that is a multiple
// of 4 bytes.
class RowTransfer {
public:
    // The bitmap must have its final size and format and keep them while the
    // transfer is used.
    explicit RowTransfer(TBitmap &bitmap);

    std::uint8_t *rowAddress(JDIMENSION row) const { return m_rowZero + static_cast<std::ptrdiff_t>(row) * m_distance; }
    bool severalRowsPerCall() const { return m_distance > 0 && m_distance % 4 == 0; }

    // Decodes rows until output_scanline reaches output_height, at most
    // rec_outbuf_height rows per call (1 when rows do not lie top-down).
    void readRows(j_decompress_ptr codec);
    // Encodes rows until next_scanline reaches image_height, all remaining rows
    // in one call when they lie top-down, else one row per call.
    void writeRows(j_compress_ptr codec);

private:
    std::uint8_t *m_rowZero = nullptr;
    std::ptrdiff_t m_distance = 0;
    int m_height = 0;
    // Row addresses handed to the codec; filled outside the guarded calls.
    std::vector<JSAMPROW> m_rows;
};
