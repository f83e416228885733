#pragma once

#include "jpeg/codeccontext.h"
#include "tests/jpeg/reference/reference.h"
#include "toolkit/core/memorystream.h"

#include <functional>

// JPEG data from the reference tools, decodes and encodes driven through the
// bridge alone, and streams that misbehave on purpose.

using Bytes = std::vector<std::uint8_t>;

// cjpeg's JPEG of image; djpeg's BMP picture of jpeg.
Bytes referenceJpeg(const RasterImage &image, const std::vector<std::string> &options = {});
RasterImage referenceDecode(const Bytes &jpeg, const std::vector<std::string> &options = {});

// Fills the stream with bytes, positioned at 0; the stream's bytes.
void fillStream(TMemoryStream &stream, const Bytes &bytes);
Bytes streamBytes(TMemoryStream &stream);

// Decodes into blue-green-red rows, gray rows, or indices into the codec's
// colour map read as blue, green, red; owner receives progress; configure
// runs after the header is read.
RasterImage decodeThroughBridge(TStream &stream, TGraphic *owner = nullptr,
                                const std::function<void(j_decompress_ptr)> &configure = {});
// Encodes such rows (32 bits: CMYK); a comment marker of commentLength bytes
// when not 0.
void encodeThroughBridge(const RasterImage &image, TStream &stream, int quality = 75, TGraphic *owner = nullptr,
                         unsigned commentLength = 0);
