// Decoding through the stream source, the error manager and the guarded calls.
#include "jpeg/destinationmanager.h"
#include "jpeg/ejpeg.h"
#include "jpeg/pixelorder.h"
#include "jpeg/sourcemanager.h"
#include "tests/jpeg/bridgetesting.h"
#include "toolkit/core/exceptions.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdlib>

namespace {

struct DecodeCase {
    const char *name;
    bool gray;
    int width;
    int height;
    std::vector<std::string> options;
};

// Names the case in test listings.
void PrintTo(const DecodeCase &c, std::ostream *out)
{
    *out << c.name;
}

class DecodeLikeReference : public testing::TestWithParam<DecodeCase> {
};

TEST_P(DecodeLikeReference, GivesTheReferenceDecodersPixelsInBlueGreenRedOrder)
{
    const DecodeCase &c = GetParam();
    const RasterImage picture = c.gray ? makeGrayImage(c.width, c.height, 7) : makePhotoImage(c.width, c.height, 7);
    const Bytes jpeg = referenceJpeg(picture, c.options);
    TMemoryStream stream;
    fillStream(stream, jpeg);
    const RasterImage decoded = decodeThroughBridge(stream);
    EXPECT_EQ(describeDifference(referenceDecode(jpeg), decoded), "");
}

INSTANTIATE_TEST_SUITE_P(Kinds, DecodeLikeReference,
                         testing::Values(DecodeCase{"colour", false, 64, 48, {}},
                                         DecodeCase{"odd_size", false, 37, 5, {"-quality", "95"}},
                                         DecodeCase{"progressive", false, 120, 90, {"-progressive"}},
                                         DecodeCase{"gray", true, 50, 30, {}},
                                         DecodeCase{"gray_progressive", true, 50, 30, {"-progressive"}},
                                         DecodeCase{"restart_markers", false, 64, 64, {"-restart", "1"}}),
                         [](const testing::TestParamInfo<DecodeCase> &info) { return std::string(info.param.name); });

void expectJpegError(const std::function<void()> &action, int code)
{
    try {
        action();
        FAIL() << "no EJPEG was raised";
    } catch (const EJPEG &error) {
        EXPECT_EQ(std::string(error.what()), jpegErrorText(code));
        EXPECT_NE(dynamic_cast<const EInvalidGraphic *>(&error), nullptr);
    }
}

TEST(StreamSource, StreamAtItsEndFailsWithInputEmpty)
{
    TMemoryStream empty;
    expectJpegError([&] { decodeThroughBridge(empty); }, JERR_INPUT_EMPTY);

    TMemoryStream atEnd;
    fillStream(atEnd, referenceJpeg(makePhotoImage(8, 8, 1)));
    atEnd.Seek(0, TSeekOrigin::End);
    expectJpegError([&] { decodeThroughBridge(atEnd); }, JERR_INPUT_EMPTY);
}

std::size_t startOfScan(const Bytes &jpeg)
{
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            return i;
    return jpeg.size();
}

TEST(StreamSource, DataCutInsideTheScanDataStillDecodes)
{
    for (const std::vector<std::string> &options : {std::vector<std::string>{}, std::vector<std::string>{"-progressive"}}) {
        const Bytes jpeg = referenceJpeg(makePhotoImage(200, 150, 3), options);
        const std::size_t cut = startOfScan(jpeg) + (jpeg.size() - startOfScan(jpeg)) / 2;
        TMemoryStream stream;
        fillStream(stream, Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(cut)));
        RasterImage decoded;
        EXPECT_NO_THROW(decoded = decodeThroughBridge(stream)) << "cut at " << cut << " of " << jpeg.size();
        EXPECT_EQ(decoded.width, 200);
        EXPECT_EQ(decoded.height, 150);
    }
}

TEST(StreamSource, DataCutInsideTheHeadersFails)
{
    const Bytes jpeg = referenceJpeg(makePhotoImage(40, 30, 3));
    for (const std::size_t cut : {std::size_t{2}, std::size_t{25}, std::size_t{200}, startOfScan(jpeg)}) {
        TMemoryStream stream;
        fillStream(stream, Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(cut)));
        try {
            decodeThroughBridge(stream);
            ADD_FAILURE() << "data cut at " << cut << " decoded";
        } catch (const EJPEG &error) {
            EXPECT_EQ(std::string(error.what()).rfind("JPEG error #", 0), 0u) << error.what();
        }
    }
}

TEST(StreamSource, BytesAfterTheEndOfImageAreReadAtMostIntoTheLastBlock)
{
    const Bytes jpeg = referenceJpeg(makePhotoImage(100, 80, 4));
    Bytes padded = jpeg;
    padded.insert(padded.end(), 3 * streamBlockSize + 100, 0x5A);
    TMemoryStream stream;
    fillStream(stream, padded);
    EXPECT_EQ(describeDifference(referenceDecode(jpeg), decodeThroughBridge(stream)), "");
    const std::int64_t blocks = (static_cast<std::int64_t>(jpeg.size()) + streamBlockSize - 1) / streamBlockSize;
    EXPECT_EQ(stream.GetPosition(), blocks * streamBlockSize);
}

TEST(StreamSource, StreamFailureReachesTheCallerUnchanged)
{
    const Bytes jpeg = referenceJpeg(makePhotoImage(300, 200, 6));
    ASSERT_GT(jpeg.size(), static_cast<std::size_t>(streamBlockSize));
    for (const int allowedReads : {0, 1}) {
        FailingStream stream(allowedReads, 1);
        fillStream(stream, jpeg);
        try {
            decodeThroughBridge(stream);
            ADD_FAILURE() << "the stream's failure was lost";
        } catch (const EReadError &error) {
            EXPECT_EQ(std::string(error.what()), "disk unplugged while reading");
        }
    }
}

TEST(PixelOrder, DataThatCannotBecomeBlueGreenRedFailsInsteadOfWidePixels)
{
    // Four-component data, encoded here since the reference encoder makes none.
    RasterImage cmyk{8, 8, 32, std::vector<std::uint8_t>(8 * 8 * 4, 0x80), {}};
    TMemoryStream stream;
    {
        ScopedCodecContext context;
        InitCompressContext(context.get(), nullptr);
        j_compress_ptr codec = &context->codec.compress;
        jpeg_stream_dest(codec, stream);
        codec->image_width = 8;
        codec->image_height = 8;
        codec->in_color_space = JCS_CMYK;
        codec->input_components = 4;
        callCodec(codec, [codec] { jpeg_set_defaults(codec); });
        callCodec(codec, [codec] { jpeg_start_compress(codec, TRUE); });
        while (codec->next_scanline < codec->image_height) {
            JSAMPROW row = cmyk.pixels.data() + codec->next_scanline * 32;
            JSAMPROW *rows = &row;
            callCodec(codec, [codec, rows] { return jpeg_write_scanlines(codec, rows, 1); });
        }
        callCodec(codec, [codec] { jpeg_finish_compress(codec); });
    }
    stream.SetPosition(0);
    expectJpegError([&] { decodeThroughBridge(stream); }, JERR_CONVERSION_NOTIMPL);
}

TEST(CodecMemory, AMemoryLimitInTheEnvironmentIsIgnored)
{
    // A limit of 1000 bytes would send a progressive decode to temporary
    // files, which the codec cannot have.
    const Bytes jpeg = referenceJpeg(makePhotoImage(256, 256, 9), {"-progressive"});
    setenv("JPEGMEM", "1", 1);
    TMemoryStream stream;
    fillStream(stream, jpeg);
    RasterImage decoded;
    EXPECT_NO_THROW(decoded = decodeThroughBridge(stream));
    unsetenv("JPEGMEM");
    EXPECT_EQ(describeDifference(referenceDecode(jpeg), decoded), "");
}

TEST(PixelOrder, QuantizedColourMapHoldsBlueInComponentZero)
{
    // Left half pure red, right half pure blue.
    RasterImage picture{32, 16, 24, std::vector<std::uint8_t>(32 * 16 * 3), {}};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            picture.row(y)[3 * x + (x < 16 ? 2 : 0)] = 255;
    TMemoryStream stream;
    fillStream(stream, referenceJpeg(picture, {"-quality", "100"}));

    for (const boolean twoPass : {TRUE, FALSE}) {
        ScopedCodecContext context;
        InitDecompressContext(context.get(), nullptr);
        j_decompress_ptr codec = &context->codec.decompress;
        stream.SetPosition(0);
        jpeg_stream_src(codec, stream);
        callCodec(codec, [codec] { return jpeg_read_header(codec, TRUE); });
        useBlueGreenRedOutput(codec);
        codec->quantize_colors = TRUE;
        codec->desired_number_of_colors = 16;
        codec->two_pass_quantize = twoPass;
        callCodec(codec, [codec] { return jpeg_start_decompress(codec); });
        std::vector<JSAMPLE> indices(32);
        for (int y = 0; y < 16; ++y) {
            JSAMPROW row = indices.data();
            JSAMPROW *rows = &row;
            callCodec(codec, [codec, rows] { return jpeg_read_scanlines(codec, rows, 1); });
            if (y != 8)
                continue;
            const JSAMPARRAY map = codec->colormap;
            SCOPED_TRACE(twoPass ? "two-pass" : "one-pass");
            EXPECT_GT(map[2][indices[4]], 200) << "red half: component 2 is red";
            EXPECT_LT(map[0][indices[4]], 60);
            EXPECT_GT(map[0][indices[28]], 200) << "blue half: component 0 is blue";
            EXPECT_LT(map[2][indices[28]], 60);
        }
        callCodec(codec, [codec] { return jpeg_finish_decompress(codec); });
    }
}

} // namespace
