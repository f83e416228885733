#pragma once

#include "jpeg/jpeg_settings.h"
#include "jpeg/tjpegimage.h"
#include "tests/support/byte_stream.h"
#include "tests/support/default_jpeg_settings.h"
#include "tests/support/expect_failure.h"
#include "tests/support/reference_codec.h"
#include "tests/support/test_folder.h"
#include "toolkit/graphics/bitmap.h"

#include <memory>

// Helpers between the picture object, plain rasters and the reference tools.

// A bitmap holding the raster.
std::unique_ptr<TBitmap> bitmapFromRaster(const RasterImage &image, bool bottomUp = false);

// A new picture loaded through LoadFromStream.
std::unique_ptr<TJPEGImage> pictureFromBytes(const Bytes &jpeg);
// The picture decoded (AssignTo a bitmap) as a raster; what SaveToStream writes.
RasterImage decodedRaster(TJPEGImage &picture);
Bytes savedBytes(TJPEGImage &picture);

// Synthetic pictures encoded by the reference encoder: baseline,
// progressive, restart markers, 4:4:4 sampling, gray data, odd sizes.
struct ReferenceInput { std::string name; int width, height; bool gray; std::vector<std::string> encoderOptions; };
const std::vector<ReferenceInput> &referenceInputs();
// The input's JPEG bytes, made once per test program.
Bytes referenceJpeg(const ReferenceInput &input);
Bytes referenceJpeg(const std::string &name);
