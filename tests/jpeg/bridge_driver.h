#pragma once

#include "jpeg/codec_context.h"
#include "tests/support/byte_stream.h"
#include "tests/support/expect_failure.h"
#include "tests/support/reference_codec.h"

// Decodes and encodes driven through the codec bridge alone.

// Decodes into blue-green-red rows, or gray rows.
RasterImage decodeThroughBridge(TStream &stream);
// Encodes such rows (32 bits: CMYK); a comment marker of commentLength bytes
// when not 0.
void encodeThroughBridge(const RasterImage &image, TStream &stream, int quality = 75, unsigned commentLength = 0);
