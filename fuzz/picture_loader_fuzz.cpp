// libFuzzer target: arbitrary bytes as a JPEG file, loaded and drawn the way
// a picture is shown. Every outcome must be a picture, EJPEG or EReadError;
// any other exception, a crash, a sanitizer report, a leak or a hang is a
// finding.

#include "jpeg/ejpeg.h"
#include "jpeg/jpeg_settings.h"
#include "jpeg/tjpegimage.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/memory_stream.h"
#include "toolkit/graphics/bitmap.h"

#include <cstddef>
#include <cstdint>

namespace {

// Larger pictures are loaded but not decoded: decoding time grows with the
// announced size, not with the input, and would only slow the search down.
constexpr std::int64_t maxDecodedPixels = 4'000'000;

// The input's length picks one of four decoder set-ups, so that the corpus
// covers them all without changing how the bytes are read.
TJPEGSettings settingsFor(std::size_t size)
{
    TJPEGSettings settings;
    const std::size_t mode = size % 4;
    settings.OutputDepth = mode == 1 || mode == 2 ? Depth8 : settings.OutputDepth;
    settings.ProgressiveView = mode >= 2;
    settings.DecodeSpeed = mode == 2 ? FavourSpeed : settings.DecodeSpeed;
    settings.Grayscale = mode == 3;
    settings.DecodeScale = mode == 3 ? ScaleQuarter : settings.DecodeScale;
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    DefaultJPEGSettings = settingsFor(size);
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    TJPEGImage picture;
    try {
        picture.LoadFromStream(stream);
    } catch (const EJPEG &) {
    } catch (const EReadError &) {
    }
    if (std::int64_t{picture.GetWidth()} * picture.GetHeight() > maxDecodedPixels)
        return 0;
    try {
        TBitmap bitmap;
        picture.AssignTo(&bitmap);
    } catch (const EJPEG &) {
    } catch (const EReadError &) {
    }
    return 0;
}
