// Encoding through the stream destination.
#include "jpeg/destinationmanager.h"
#include "jpeg/ejpeg.h"
#include "jpeg/pixelorder.h"
#include "jpeg/sourcemanager.h"
#include "tests/jpeg/bridgetesting.h"
#include "toolkit/core/exceptions.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>

namespace {

TEST(StreamDestination, ColourAndGrayOutputEqualTheReferenceEncoders)
{
    for (const bool gray : {false, true}) {
        const RasterImage picture = gray ? makeGrayImage(90, 70, 11) : makePhotoImage(90, 70, 11);
        TMemoryStream stream;
        encodeThroughBridge(picture, stream, 80);
        EXPECT_EQ(streamBytes(stream), referenceJpeg(picture, {"-quality", "80"})) << (gray ? "gray" : "colour");
    }
}

// Encodes with a comment marker of commentLength bytes, so that the output
// size can be steered.
void encodeWithComment(const RasterImage &picture, TStream &stream, unsigned commentLength)
{
    ScopedCodecContext context;
    InitCompressContext(context.get(), nullptr);
    j_compress_ptr codec = &context->codec.compress;
    jpeg_stream_dest(codec, stream);
    codec->image_width = static_cast<JDIMENSION>(picture.width);
    codec->image_height = static_cast<JDIMENSION>(picture.height);
    useBlueGreenRedInput(codec);
    callCodec(codec, [codec] { jpeg_set_defaults(codec); });
    callCodec(codec, [codec] { jpeg_start_compress(codec, TRUE); });
    const std::vector<JOCTET> comment(commentLength, 'c');
    const JOCTET *text = comment.data();
    callCodec(codec, [codec, text, commentLength] { jpeg_write_marker(codec, JPEG_COM, text, commentLength); });
    while (codec->next_scanline < codec->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.row(static_cast<int>(codec->next_scanline)));
        JSAMPROW *rows = &row;
        callCodec(codec, [codec, rows] { return jpeg_write_scanlines(codec, rows, 1); });
    }
    callCodec(codec, [codec] { jpeg_finish_compress(codec); });
}

TEST(StreamDestination, OutputUnderOneBlockIsWrittenInOnePiece)
{
    RecordingStream stream;
    encodeThroughBridge(makePhotoImage(16, 16, 2), stream);
    ASSERT_EQ(stream.writes.size(), 1u);
    EXPECT_LT(stream.writes[0], streamBlockSize);
    EXPECT_EQ(stream.writes[0], stream.GetSize());
}

TEST(StreamDestination, OutputOfWholeBlocksLeavesNothingForTheEnd)
{
    const RasterImage picture = makePhotoImage(64, 64, 3);
    TMemoryStream probe;
    encodeWithComment(picture, probe, 100);
    const auto padding = static_cast<unsigned>(streamBlockSize - probe.GetSize() % streamBlockSize);
    RecordingStream stream;
    encodeWithComment(picture, stream, 100 + padding);
    ASSERT_EQ(stream.GetSize() % streamBlockSize, 0);
    EXPECT_EQ(stream.writes.size(), static_cast<std::size_t>(stream.GetSize() / streamBlockSize));
    EXPECT_TRUE(std::all_of(stream.writes.begin(), stream.writes.end(), [](std::int64_t n) { return n == streamBlockSize; }));
}

struct ShortWriteCase {
    const char *where;
    int width;
    std::int64_t accepted;
};

// Names the case in test listings.
void PrintTo(const ShortWriteCase &c, std::ostream *out)
{
    *out << c.where;
}

class ShortWrite : public testing::TestWithParam<ShortWriteCase> {
};

TEST_P(ShortWrite, FailsWithFileWriteAndKeepsWhatWasWritten)
{
    const ShortWriteCase &c = GetParam();
    ShortWriteStream stream(c.accepted);
    try {
        encodeThroughBridge(makePhotoImage(c.width, c.width, 5), stream, 95);
        FAIL() << "a short write went unnoticed";
    } catch (const EJPEG &error) {
        EXPECT_EQ(std::string(error.what()), jpegErrorText(JERR_FILE_WRITE));
    }
    EXPECT_EQ(stream.GetSize(), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Places, ShortWrite,
                         testing::Values(ShortWriteCase{"full_block", 300, 4095}, ShortWriteCase{"last_piece", 8, 10}),
                         [](const testing::TestParamInfo<ShortWriteCase> &info) { return std::string(info.param.where); });

TEST(StreamDestination, StreamFailureReachesTheCallerUnchanged)
{
    FailingStream stream(0, 0);
    try {
        encodeThroughBridge(makePhotoImage(8, 8, 6), stream);
        FAIL() << "the stream's failure was lost";
    } catch (const EWriteError &error) {
        EXPECT_EQ(std::string(error.what()), "disk unplugged while writing");
    }
}

TEST(StreamDestination, AttachingTwiceReusesTheManagerForANewStream)
{
    const RasterImage picture = makePhotoImage(40, 40, 7);
    ScopedCodecContext context;
    InitCompressContext(context.get(), nullptr);
    j_compress_ptr codec = &context->codec.compress;
    TMemoryStream first;
    TMemoryStream second;
    jpeg_destination_mgr *manager = nullptr;
    for (TMemoryStream *stream : {&first, &second}) {
        jpeg_stream_dest(codec, *stream);
        if (manager == nullptr)
            manager = codec->dest;
        EXPECT_EQ(codec->dest, manager);
        codec->image_width = 40;
        codec->image_height = 40;
        useBlueGreenRedInput(codec);
        callCodec(codec, [codec] { jpeg_set_defaults(codec); });
        callCodec(codec, [codec] { jpeg_start_compress(codec, TRUE); });
        while (codec->next_scanline < codec->image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(picture.row(static_cast<int>(codec->next_scanline)));
            JSAMPROW *rows = &row;
            callCodec(codec, [codec, rows] { return jpeg_write_scanlines(codec, rows, 1); });
        }
        callCodec(codec, [codec] { jpeg_finish_compress(codec); });
    }
    EXPECT_GT(second.GetSize(), 0);
    EXPECT_EQ(streamBytes(first), streamBytes(second));
}

} // namespace
