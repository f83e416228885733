// The picture's decoder and encoder against the reference tools: pixels of
// the same file decoded both ways, and encoded files byte for byte.
#include "tests/jpeg/picture_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// sameIndices, else the same colours: the picture's one-pass cube has blue first, the reference's red.
struct DecodeCase { std::string name; TJPEGSettings settings; std::vector<std::string> referenceOptions; bool sameIndices; };

TEST(TJPEGImageAgainstReference, DecodesLikeTheReferenceDecoder)
{
    const std::vector<DecodeCase> cases = {
        {"24-bit", {}, {"-dct", "float"}, true},
        {"favour speed", {.DecodeSpeed = FavourSpeed}, {"-dct", "fast", "-dither", "ordered"}, true},
        {"half", {.DecodeScale = ScaleHalf}, {"-dct", "float", "-scale", "1/2"}, true},
        {"quarter", {.DecodeScale = ScaleQuarter}, {"-dct", "float", "-scale", "1/4"}, true},
        {"eighth", {.DecodeScale = ScaleEighth}, {"-dct", "float", "-scale", "1/8"}, true},
        // Gray output is quantized to 236 levels, as the reference does when asked.
        {"gray", {.Grayscale = true}, {"-dct", "float", "-grayscale", "-colors", "236"}, true},
        {"8-bit two-pass", {.OutputDepth = Depth8}, {"-dct", "float", "-colors", "236"}, true},
        {"8-bit one-pass", {.DecodeSpeed = FavourSpeed, .OutputDepth = Depth8},
         {"-dct", "fast", "-colors", "236", "-onepass", "-dither", "ordered"}, false},
    };
    for (const ReferenceInput &input : referenceInputs()) {
        const Bytes jpeg = referenceJpeg(input);
        for (const DecodeCase &decode : cases) {
            SCOPED_TRACE(input.name + ", " + decode.name);
            std::vector<std::string> options = decode.referenceOptions;
            // Gray data is always quantized to 236 levels, whatever the depth.
            if (input.gray && std::find(options.begin(), options.end(), "-colors") == options.end())
                options.insert(options.end(), {"-colors", "236"});
            const RasterImage expected = referenceDecode(jpeg, options);
            // The progressive view's last pass is the plain decode.
            for (const bool view : {false, true}) {
                TJPEGSettings settings = decode.settings;
                settings.ProgressiveView = view;
                DefaultSettingsScope scope(settings);
                EXPECT_EQ(describeDifference(expected, decodedRaster(*pictureFromBytes(jpeg)), decode.sameIndices), "")
                    << "progressive view " << view;
            }
        }
    }
}

TEST(TJPEGImageAgainstReference, BlockSmoothingActsOnProgressiveDataCutShort)
{
    // The scans before two thirds of the file, then the end marker: later
    // scans' coefficient bits stay zero, which smoothing estimates.
    const Bytes progressive = referenceJpeg("progressive-303x93");
    std::size_t cut = progressive.size() * 2 / 3;
    while (!(progressive[cut] == 0xFF && progressive[cut + 1] == 0xDA))
        --cut;
    Bytes jpeg(progressive.begin(), progressive.begin() + static_cast<std::ptrdiff_t>(cut));
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    // The reference decoder always smooths (its -nosmooth is about chroma
    // upsampling). The transcoder writes the same coefficients as complete
    // data, which has nothing to smooth: that decode is the unsmoothed one.
    TestFolder folder;
    writeFileBytes(folder / "cut.jpg", jpeg);
    runReference("jpegtran", {}, folder / "cut.jpg", folder / "complete.jpg");
    const RasterImage smoothed = referenceDecode(jpeg, {"-dct", "float"});
    const RasterImage unsmoothed = referenceDecode(readFileBytes(folder / "complete.jpg"), {"-dct", "float"});
    ASSERT_NE(describeDifference(smoothed, unsmoothed), "") << "nothing left to smooth at byte " << cut;
    for (const bool smoothing : {true, false}) {
        DefaultSettingsScope settings(TJPEGSettings{.BlockSmoothing = smoothing});
        EXPECT_EQ(describeDifference(smoothing ? smoothed : unsmoothed, decodedRaster(*pictureFromBytes(jpeg))), "")
            << "smoothing " << smoothing;
    }
}

TEST(TJPEGImageAgainstReference, AnotherPaletteDropsTheBitmapAndMapsLikeTheReferenceColourMap)
{
    TestFolder folder;
    // 64 colours, also as a picture of one pixel per colour: the reference
    // decoder's colour map.
    RasterImage map{64, 1, 24, std::vector<std::uint8_t>(64 * 3), {}};
    LOGPALETTE description;
    description.palNumEntries = 64;
    for (int i = 0; i < 64; ++i) {
        const PaletteColour colour{std::uint8_t((i & 3) * 85), std::uint8_t((i >> 2 & 3) * 85), std::uint8_t((i >> 4 & 3) * 85)};
        description.palPalEntry[i] = {colour.red, colour.green, colour.blue, 0};
        map.pixels[3 * i] = colour.blue, map.pixels[3 * i + 1] = colour.green, map.pixels[3 * i + 2] = colour.red;
    }
    writePnm(folder / "map.ppm", map);
    // The progressive view's final pass keeps the imposed colour map too.
    for (const auto &[input, progressiveView] : {std::pair{"baseline-303x93", false}, {"progressive-303x93", true}}) {
        SCOPED_TRACE(input);
        const Bytes jpeg = referenceJpeg(std::string(input));
        const RasterImage expected = referenceDecode(jpeg, {"-dct", "float", "-map", folder / "map.ppm"});

        DefaultSettingsScope settings(TJPEGSettings{.OutputDepth = Depth8, .ProgressiveView = progressiveView});
        std::unique_ptr<TJPEGImage> picture = pictureFromBytes(jpeg);
        EXPECT_EQ(decodedRaster(*picture).palette.size(), 236u);
        int changes = 0;
        picture->SetOnChange([&changes](TPersistent *) { ++changes; });
        picture->SetPaletteDirty(false);
        picture->SetPalette(CreatePalette(&description));
        EXPECT_EQ(picture->Bitmap(), nullptr) << "Decoded became Compressed";
        EXPECT_TRUE(picture->GetPaletteDirty());
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(describeDifference(expected, decodedRaster(*picture)), "");
    }
}

TEST(TJPEGImageAgainstReference, EncodesByteForByteLikeTheReferenceEncoder)
{
    // Every setting the encoder reads; quality 10 needs the baseline limit on
    // the quantization tables, which the reference applies with -baseline.
    struct EncodeCase { TJPEGSettings settings; std::vector<std::string> options; };
    const std::vector<EncodeCase> cases = {
        {{}, {"-quality", "90"}},
        {{.Quality = 10}, {"-quality", "10"}},
        {{.Quality = 100, .Grayscale = true}, {"-quality", "100", "-grayscale"}},
        {{.ProgressiveData = true}, {"-quality", "90", "-progressive"}},
        {{.Quality = 35, .Grayscale = true, .ProgressiveData = true}, {"-quality", "35", "-grayscale", "-progressive"}},
    };
    for (const auto &[width, height] : {std::pair{303, 93}, std::pair{1, 1}, std::pair{17, 300}}) {
        const RasterImage photo = makePhotoImage(width, height, static_cast<std::uint32_t>(width + height));
        for (const EncodeCase &encode : cases) {
            std::vector<std::string> options{"-dct", "float", "-baseline"};
            options.insert(options.end(), encode.options.begin(), encode.options.end());
            const Bytes expected = referenceJpeg(photo, options);
            for (bool bottomUp : {false, true}) {
                SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + (bottomUp ? " bottom-up " : " ") +
                             testing::PrintToString(encode.options));
                DefaultSettingsScope settings(encode.settings);
                TJPEGImage picture;
                picture.Assign(bitmapFromRaster(photo, bottomUp).get());
                EXPECT_TRUE(savedBytes(picture) == expected);
            }
        }
    }
}

TEST(TJPEGImageAgainstReference, EightBitBitmapIsEncodedThroughItsPalette)
{
    RasterImage indexed{57, 33, 8, Bytes(57 * 33), {}};
    for (int i = 0; i < 200; ++i)
        indexed.palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
    RasterImage expanded{57, 33, 24, Bytes(57 * 33 * 3), {}};
    for (int y = 0; y < indexed.height; ++y) {
        for (int x = 0; x < indexed.width; ++x) {
            indexed.row(y)[x] = static_cast<std::uint8_t>((x * 3 + y * 5) % 200);
            const PaletteColour colour = indexed.colourAt(x, y);
            std::uint8_t *pixel = expanded.row(y) + 3 * x;
            pixel[0] = colour.blue, pixel[1] = colour.green, pixel[2] = colour.red;
        }
    }
    TJPEGImage picture;
    picture.Assign(bitmapFromRaster(indexed).get());
    EXPECT_TRUE(savedBytes(picture) == referenceJpeg(expanded, {"-dct", "float", "-quality", "90", "-baseline"}));
}

} // namespace
