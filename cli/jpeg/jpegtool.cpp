#include "cli/jpeg/jpegtool.h"

#include "jpeg/jpeg_settings.h"
#include "jpeg/tjpegimage.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/graphics/bitmap.h"

#include <exception>
#include <memory>
#include <string>

namespace {

TJPEGScale scaleFor(int denominator)
{
    switch (denominator) {
    case 2: return ScaleHalf;
    case 4: return ScaleQuarter;
    case 8: return ScaleEighth;
    default: return ScaleFull;
    }
}

void applyOptions(const JpegToolCommand &command, TJPEGSettings &settings)
{
    if (command.scaleDenominator)
        settings.DecodeScale = scaleFor(*command.scaleDenominator);
    if (command.depthBits)
        settings.OutputDepth = *command.depthBits == 8 ? Depth8 : Depth24;
    if (command.fast)
        settings.DecodeSpeed = FavourSpeed;
    if (command.noSmoothing)
        settings.BlockSmoothing = false;
    if (command.progressiveView)
        settings.ProgressiveView = true;
    if (command.quality)
        settings.Quality = static_cast<std::uint8_t>(*command.quality);
    if (command.progressive)
        settings.ProgressiveData = true;
    if (command.gray)
        settings.Grayscale = true;
}

// The decoded bitmap is saved as the picture holds it: a copy of a large
// picture would double the tool's memory and time.
class PassThroughPicture : public TJPEGImage {
public:
    using TJPEGImage::EnsureBitmap;
};

} // namespace

int runJpegTool(const JpegToolCommand &command, std::ostream &errors)
{
    applyOptions(command, DefaultJPEGSettings);
    // The file that the step under way reads or writes, for the error line.
    const std::string *file = &command.input;
    try {
        PassThroughPicture picture;
        if (command.mode == JpegToolMode::Decode) {
            picture.LoadFromFile(command.input);
            TBitmap *bitmap = picture.EnsureBitmap();
            file = &command.output;
            bitmap->SaveToFile(command.output);
        } else {
            auto bitmap = std::make_unique<TBitmap>();
            bitmap->LoadFromFile(command.input);
            picture.AdoptBitmap(std::move(bitmap));
            file = &command.output;
            picture.SaveToFile(command.output);
        }
        return 0;
    } catch (const std::exception &error) {
        errors << "vorrel-jpeg: " << *file << ": " << error.what() << "\n";
        return 1;
    }
}
