#pragma once

#include "jpeg/codec_context.h"
#include "tests/support/byte_stream.h"
#include "tests/support/expect_failure.h"
#include "tests/support/reference_codec.h"

#include <functional>

// Decodes and encodes driven through the codec bridge alone.

// Decodes into blue-green-red rows, gray rows, or indices into the codec's
// colour map read as blue, green, red; owner receives progress; configure
// runs after the header is read.
RasterImage decodeThroughBridge(TStream &stream, TGraphic *owner = nullptr,
                                const std::function<void(j_decompress_ptr)> &configure = {});
// Encodes such rows (32 bits: CMYK); a comment marker of commentLength bytes
// when not 0.
void encodeThroughBridge(const RasterImage &image, TStream &stream, int quality = 75, TGraphic *owner = nullptr,
                         unsigned commentLength = 0);
