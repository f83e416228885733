#include "bench/jpeg/bench_phase.h"

#include "synthetic/synthetic_photo.h"
#include "jpeg/tjpegimage.h"
#include "toolkit/core/memory_stream.h"
#include "toolkit/graphics/bitmap.h"


namespace {

// Loads the file and copies nothing out: the decoded bitmap stays the
// picture's, as when the picture is drawn.
class DecodingPicture : public TJPEGImage {
public:
    using TJPEGImage::EnsureBitmap;
};

PhaseResult pictureDecode(const PhaseInput &input, int repetitions)
{
    TMemoryStream file;
    file.WriteBuffer(input.jpeg.data(), static_cast<std::int64_t>(input.jpeg.size()));
    PhaseResult result;
    for (int i = 0; i < repetitions; ++i) {
        file.SetPosition(0);
        timeRun(result, [&file] {
            DecodingPicture picture;
            picture.LoadFromStream(file);
            picture.EnsureBitmap();
        });
    }
    return result;
}

// A picture holding only pixels, made straight into a bitmap's rows as a
// decoded picture holds them; the bitmap that made it is gone again.
std::unique_ptr<TJPEGImage> pixelsOnlyPicture(const PhaseInput &input)
{
    auto picture = std::make_unique<TJPEGImage>();
    TBitmap bitmap;
    bitmap.SetSize(input.width, input.height);
    for (int y = 0; y < input.height; ++y)
        fillSyntheticPhotoRow(input.width, input.height, y, input.seed, bitmap.GetScanline(y));
    picture->Assign(&bitmap);
    return picture;
}

PhaseResult pictureEncode(const PhaseInput &input, int repetitions)
{
    PhaseResult result;
    for (int i = 0; i < repetitions; ++i) {
        std::unique_ptr<TJPEGImage> picture = pixelsOnlyPicture(input);
        timeRun(result, [&picture] {
            TMemoryStream output;
            picture->SaveToStream(output);
        });
    }
    return result;
}

} // namespace

std::vector<BenchPhase> picturePhases()
{
    return {{"picture-decode", pictureDecode}, {"picture-encode", pictureEncode}};
}
