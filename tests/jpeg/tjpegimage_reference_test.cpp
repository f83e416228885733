// The picture's decoder and encoder against the reference tools: pixels of
// the same file decoded both ways, and encoded files byte for byte.

#include "tests/jpeg/picturetesting.h"
#include "tests/jpeg/reference/imagefiles.h"
#include "tests/jpeg/reference/referencecodec.h"
#include "tests/jpeg/reference/testfolder.h"
#include "tests/jpeg/referenceinputs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// How a decoded picture is held against the reference decoder's output.
enum class Match {
    Exact,   // same depth, same palette in the same order, same bytes
    Colours, // every pixel shows the same colour (palette order may differ)
};

struct DecodeCase {
    std::string name;
    TJPEGSettings settings;
    std::vector<std::string> referenceOptions;
    Match match;
};

TJPEGSettings settingsWith(void (*change)(TJPEGSettings &))
{
    TJPEGSettings settings;
    change(settings);
    return settings;
}

const std::vector<DecodeCase> &decodeCases()
{
    static const std::vector<DecodeCase> cases = {
        {"24-bit, floating-point transform", settingsWith([](TJPEGSettings &) {}),
         {"-bmp", "-dct", "float"}, Match::Exact},
        {"24-bit, favour speed", settingsWith([](TJPEGSettings &s) { s.DecodeSpeed = FavourSpeed; }),
         {"-bmp", "-dct", "fast", "-dither", "ordered"}, Match::Exact},
        {"24-bit, block smoothing off", settingsWith([](TJPEGSettings &s) { s.BlockSmoothing = false; }),
         {"-bmp", "-dct", "float"}, Match::Exact},
        {"half size", settingsWith([](TJPEGSettings &s) { s.DecodeScale = ScaleHalf; }),
         {"-bmp", "-dct", "float", "-scale", "1/2"}, Match::Exact},
        {"quarter size", settingsWith([](TJPEGSettings &s) { s.DecodeScale = ScaleQuarter; }),
         {"-bmp", "-dct", "float", "-scale", "1/4"}, Match::Exact},
        {"eighth size", settingsWith([](TJPEGSettings &s) { s.DecodeScale = ScaleEighth; }),
         {"-bmp", "-dct", "float", "-scale", "1/8"}, Match::Exact},
        // Gray output is always quantized to 236 gray levels with error
        // diffusion, as the reference does when asked for as many colours.
        {"gray output", settingsWith([](TJPEGSettings &s) { s.Grayscale = true; }),
         {"-bmp", "-dct", "float", "-grayscale", "-colors", "236"}, Match::Exact},
        {"8-bit, two-pass quantization", settingsWith([](TJPEGSettings &s) { s.OutputDepth = Depth8; }),
         {"-bmp", "-dct", "float", "-colors", "236"}, Match::Exact},
        // One-pass colour cube: the picture's cube has blue as component 0,
        // the reference's red, so the same colours sit at other indices.
        {"8-bit, favour speed",
         settingsWith([](TJPEGSettings &s) {
             s.OutputDepth = Depth8;
             s.DecodeSpeed = FavourSpeed;
         }),
         {"-bmp", "-dct", "fast", "-colors", "236", "-onepass", "-dither", "ordered"}, Match::Colours},
        {"8-bit, quarter size", settingsWith([](TJPEGSettings &s) {
             s.OutputDepth = Depth8;
             s.DecodeScale = ScaleQuarter;
         }),
         {"-bmp", "-dct", "float", "-colors", "236", "-scale", "1/4"}, Match::Exact},
    };
    return cases;
}

std::string difference(Match match, const RasterImage &reference, const RasterImage &actual)
{
    const RasterImage expected = withoutTablePadding(reference, actual.palette.size());
    return match == Match::Exact ? describeDifference(expected, actual) : describeColourDifference(expected, actual);
}

TEST(TJPEGImageAgainstReference, DecodesLikeTheReferenceDecoder)
{
    TestFolder folder;
    for (const ReferenceInput &input : referenceInputs()) {
        const std::filesystem::path jpeg = makeReferenceJpeg(input, folder.path());
        for (const DecodeCase &decode : decodeCases()) {
            SCOPED_TRACE(input.name + ", " + decode.name);
            // Gray output is always quantized to 236 levels, whatever the depth.
            std::vector<std::string> options = decode.referenceOptions;
            if (input.gray && std::find(options.begin(), options.end(), "-colors") == options.end())
                options.insert(options.end(), {"-colors", "236"});
            decodeWithReference(options, jpeg, folder / "reference.bmp");
            const RasterImage expected = readBmp(folder / "reference.bmp");

            DefaultSettingsScope settings(decode.settings);
            std::unique_ptr<TJPEGImage> picture = pictureFromFile(jpeg);
            const RasterImage actual = decodedRaster(*picture);
            EXPECT_EQ(difference(decode.match, expected, actual), "");
        }
    }
}

TEST(TJPEGImageAgainstReference, GrayDataDecodesToAGrayPaletteAtEveryDepth)
{
    TestFolder folder;
    const ReferenceInput &input = referenceInputs().at(6);
    ASSERT_TRUE(input.gray);
    const std::filesystem::path jpeg = makeReferenceJpeg(input, folder.path());
    decodeWithReference({"-bmp", "-dct", "float", "-colors", "236"}, jpeg, folder / "reference.bmp");
    const RasterImage expected = readBmp(folder / "reference.bmp");
    for (TJPEGPixelFormat depth : {Depth24, Depth8}) {
        TJPEGSettings chosen;
        chosen.OutputDepth = depth;
        DefaultSettingsScope settings(chosen);
        std::unique_ptr<TJPEGImage> picture = pictureFromFile(jpeg);
        const RasterImage actual = decodedRaster(*picture);
        ASSERT_EQ(actual.bitsPerPixel, 8);
        for (const PaletteColour &entry : actual.palette) {
            EXPECT_EQ(entry.red, entry.green);
            EXPECT_EQ(entry.green, entry.blue);
        }
        EXPECT_EQ(describeDifference(withoutTablePadding(expected, actual.palette.size()), actual), "");
    }
}

TEST(TJPEGImageAgainstReference, ProgressiveViewEndsWithThePlainDecode)
{
    TestFolder folder;
    const std::vector<std::pair<std::string, TJPEGSettings>> modes = {
        {"24-bit", settingsWith([](TJPEGSettings &) {})},
        {"24-bit, favour speed", settingsWith([](TJPEGSettings &s) { s.DecodeSpeed = FavourSpeed; })},
        {"8-bit, two-pass", settingsWith([](TJPEGSettings &s) { s.OutputDepth = Depth8; })},
        {"8-bit, one-pass", settingsWith([](TJPEGSettings &s) {
             s.OutputDepth = Depth8;
             s.DecodeSpeed = FavourSpeed;
         })},
        {"gray output", settingsWith([](TJPEGSettings &s) { s.Grayscale = true; })},
    };
    for (const ReferenceInput &input : referenceInputs()) {
        const std::filesystem::path jpeg = makeReferenceJpeg(input, folder.path());
        for (const auto &[name, plainSettings] : modes) {
            SCOPED_TRACE(input.name + ", " + name);
            RasterImage plain;
            {
                DefaultSettingsScope settings(plainSettings);
                plain = decodedRaster(*pictureFromFile(jpeg));
            }
            TJPEGSettings viewSettings = plainSettings;
            viewSettings.ProgressiveView = true;
            DefaultSettingsScope settings(viewSettings);
            EXPECT_EQ(describeDifference(plain, decodedRaster(*pictureFromFile(jpeg))), "");
        }
    }
}

TEST(TJPEGImageAgainstReference, ImposedPaletteMapsLikeTheReferenceColourMap)
{
    TestFolder folder;
    const ReferenceInput &input = referenceInputs().at(0);
    const std::filesystem::path jpeg = makeReferenceJpeg(input, folder.path());

    // A palette of 64 colours, also written as a picture of one pixel per
    // colour: the reference decoder takes such a picture as its colour map.
    RasterImage map{64, 1, 24, std::vector<std::uint8_t>(64 * 3), {}};
    LOGPALETTE description;
    description.palNumEntries = 64;
    for (int i = 0; i < 64; ++i) {
        const auto red = static_cast<std::uint8_t>((i & 3) * 85);
        const auto green = static_cast<std::uint8_t>((i >> 2 & 3) * 85);
        const auto blue = static_cast<std::uint8_t>((i >> 4 & 3) * 85);
        description.palPalEntry[i] = {red, green, blue, 0};
        map.row(0)[3 * i] = blue;
        map.row(0)[3 * i + 1] = green;
        map.row(0)[3 * i + 2] = red;
    }
    writePnm(folder / "map.ppm", map);
    decodeWithReference({"-bmp", "-dct", "float", "-map", (folder / "map.ppm").string()}, jpeg,
                        folder / "reference.bmp");

    TJPEGSettings chosen;
    chosen.OutputDepth = Depth8;
    DefaultSettingsScope settings(chosen);
    std::unique_ptr<TJPEGImage> picture = pictureFromFile(jpeg);
    picture->SetPalette(CreatePalette(&description));
    const RasterImage actual = decodedRaster(*picture);
    EXPECT_EQ(describeDifference(withoutTablePadding(readBmp(folder / "reference.bmp"), actual.palette.size()), actual),
              "");
}

struct EncodeCase {
    std::string name;
    bool grayscale;
    bool progressive;
    std::vector<std::string> referenceOptions;
};

TEST(TJPEGImageAgainstReference, EncodesByteForByteLikeTheReferenceEncoder)
{
    TestFolder folder;
    const std::vector<EncodeCase> cases = {
        {"baseline", false, false, {"-dct", "float", "-quality", "90", "-baseline"}},
        {"gray", true, false, {"-dct", "float", "-quality", "90", "-baseline", "-grayscale"}},
        {"progressive", false, true, {"-dct", "float", "-quality", "90", "-baseline", "-progressive"}},
        {"gray progressive", true, true,
         {"-dct", "float", "-quality", "90", "-baseline", "-grayscale", "-progressive"}},
    };
    const std::vector<std::pair<int, int>> sizes = {{303, 93}, {1, 1}, {17, 300}, {640, 400}};
    for (const auto &[width, height] : sizes) {
        const RasterImage photo = makePhotoImage(width, height, static_cast<std::uint32_t>(width + height));
        writePnm(folder / "photo.ppm", photo);
        for (const EncodeCase &encode : cases) {
            for (bool bottomUp : {false, true}) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + ", " + encode.name +
                             (bottomUp ? ", bottom-up rows" : ", top-down rows"));
                encodeWithReference(encode.referenceOptions, folder / "photo.ppm", folder / "reference.jpg");

                TJPEGSettings chosen;
                chosen.Grayscale = encode.grayscale;
                chosen.ProgressiveData = encode.progressive;
                DefaultSettingsScope settings(chosen);
                TJPEGImage picture;
                picture.Assign(bitmapFromRaster(photo, bottomUp).get());
                EXPECT_TRUE(savedBytes(picture) == readFileBytes(folder / "reference.jpg"));
            }
        }
    }
}

TEST(TJPEGImageAgainstReference, EightBitBitmapIsEncodedThroughItsPalette)
{
    TestFolder folder;
    // An 8-bit picture whose colours the 24-bit copy must reproduce exactly.
    RasterImage indexed{57, 33, 8, std::vector<std::uint8_t>(57 * 33), {}};
    for (int i = 0; i < 200; ++i)
        indexed.palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                   static_cast<std::uint8_t>(i * 7)});
    for (int y = 0; y < indexed.height; ++y)
        for (int x = 0; x < indexed.width; ++x)
            indexed.row(y)[x] = static_cast<std::uint8_t>((x * 3 + y * 5) % 200);
    RasterImage expanded{57, 33, 24, std::vector<std::uint8_t>(57 * 33 * 3), {}};
    for (int y = 0; y < indexed.height; ++y) {
        for (int x = 0; x < indexed.width; ++x) {
            const PaletteColour colour = indexed.colourAt(x, y);
            expanded.row(y)[3 * x] = colour.blue;
            expanded.row(y)[3 * x + 1] = colour.green;
            expanded.row(y)[3 * x + 2] = colour.red;
        }
    }
    writePnm(folder / "expanded.ppm", expanded);
    encodeWithReference({"-dct", "float", "-quality", "90", "-baseline"}, folder / "expanded.ppm",
                        folder / "reference.jpg");

    TJPEGImage picture;
    picture.Assign(bitmapFromRaster(indexed).get());
    EXPECT_TRUE(savedBytes(picture) == readFileBytes(folder / "reference.jpg"));
}

} // namespace
