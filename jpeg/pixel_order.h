#pragma once

#include "jpeg/libjpeg.h"

// Colour pixels cross the codec as blue, green, red bytes, the order of the
// toolkit's 24-bit bitmap rows, so that rows are copied without reordering.
// The library's extended colour space does the reordering in both
// directions, and its colour quantizers then build colour maps whose
// component 0 is blue, 1 green and 2 red.

// After jpeg_read_header: any colour output (whatever the data's colour
// space) is delivered as 3-byte blue-green-red pixels; gray output stays one
// byte per pixel. Data that cannot become such pixels (CMYK) then fails in
// jpeg_start_decompress with EJPEG instead of writing 4-byte pixels into
// 3-byte rows.
void useBlueGreenRedOutput(j_decompress_ptr cinfo);

// Before jpeg_set_defaults: the input rows are 3-byte blue-green-red pixels.
void useBlueGreenRedInput(j_compress_ptr cinfo);
