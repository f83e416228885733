// Codec contexts, the error manager, the guarded calls and the header reader.
#include "jpeg/codeccontext.h"
#include "jpeg/ejpeg.h"
#include "jpeg/errormanager.h"
#include "jpeg/headerreader.h"
#include "jpeg/sourcemanager.h"
#include "tests/jpeg/bridgetesting.h"
#include "toolkit/core/exceptions.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstring>

namespace {

TEST(CodecContext, ReleaseIsHarmlessTwiceAndWithoutSetUp)
{
    ScopedCodecContext never;
    ReleaseContext(never.get());
    ReleaseContext(never.get());
    EXPECT_EQ(never->codec.common.err, nullptr);

    for (const bool decompress : {true, false}) {
        ScopedCodecContext context;
        if (decompress)
            InitDecompressContext(context.get(), nullptr);
        else
            InitCompressContext(context.get(), nullptr);
        EXPECT_EQ(context->codec.common.err, &context->err);
        EXPECT_EQ(context->codec.common.progress, &context->progress);
        EXPECT_EQ(context->codec.common.is_decompressor, decompress ? TRUE : FALSE);
        ReleaseContext(context.get());
        EXPECT_EQ(context->codec.common.err, nullptr);
        ReleaseContext(context.get()); // and once more by the scope
    }
}

struct RefusedSetUp {
    const char *name;
    bool decompress;
    int version;
    int sizeChange;
    int expectedCode;
};

// Names the case in test listings.
void PrintTo(const RefusedSetUp &c, std::ostream *out)
{
    *out << c.name;
}

class RefusedContext : public testing::TestWithParam<RefusedSetUp> {
};

TEST_P(RefusedContext, FailsWithTheLibrarysCodeAndStaysReleasable)
{
    const RefusedSetUp &c = GetParam();
    const std::size_t size = c.decompress ? sizeof(jpeg_decompress_struct) : sizeof(jpeg_compress_struct);
    ScopedCodecContext context;
    try {
        codec_detail::initContext(context.get(), nullptr, c.decompress, c.version, size + c.sizeChange);
        FAIL() << "the library accepted the set-up";
    } catch (const EJPEG &error) {
        EXPECT_EQ(std::string(error.what()), jpegErrorText(c.expectedCode));
    }
    ReleaseContext(context.get());
    ReleaseContext(context.get());
}

INSTANTIATE_TEST_SUITE_P(SetUps, RefusedContext,
                         testing::Values(RefusedSetUp{"decoder_version", true, JPEG_LIB_VERSION + 1, 0, JERR_BAD_LIB_VERSION},
                                         RefusedSetUp{"decoder_size", true, JPEG_LIB_VERSION, -8, JERR_BAD_STRUCT_SIZE},
                                         RefusedSetUp{"encoder_version", false, 10, 0, JERR_BAD_LIB_VERSION},
                                         RefusedSetUp{"encoder_size", false, JPEG_LIB_VERSION, 8, JERR_BAD_STRUCT_SIZE}),
                         [](const testing::TestParamInfo<RefusedSetUp> &info) { return std::string(info.param.name); });

TEST(ErrorManager, DropsWarningsAndTracesAndFormatsNothing)
{
    ScopedCodecContext context;
    InitDecompressContext(context.get(), nullptr);
    j_common_ptr codec = &context->codec.common;
    EXPECT_EQ(context->err.trace_level, 0);
    EXPECT_EQ(context->err.jpeg_message_table, nullptr);
    for (const int level : {-1, 0, 1, 3})
        codec->err->emit_message(codec, level);
    codec->err->output_message(codec);
    EXPECT_EQ(context->err.num_warnings, 0);
    char text[JMSG_LENGTH_MAX];
    std::memset(text, 'x', sizeof text);
    codec->err->format_message(codec, text);
    EXPECT_EQ(text[0], 'x');
    context->err.msg_code = 12;
    context->err.num_warnings = 3;
    codec->err->reset_error_mgr(codec);
    EXPECT_EQ(context->err.msg_code, 0);
    EXPECT_EQ(context->err.num_warnings, 0);
}

TEST(GuardedCall, ReturnsTheResultAndPassesDirectExceptions)
{
    ScopedCodecContext context;
    InitDecompressContext(context.get(), nullptr);
    j_common_ptr codec = &context->codec.common;
    EXPECT_EQ(callCodec(codec, [] { return 41 + 1; }), 42);
    EXPECT_THROW(callCodec(codec, [] { throw EAbort(); }), EAbort);
    // A guarded call inside another rethrows into the outer one.
    try {
        callCodec(codec, [codec] { callCodec(codec, [codec] { ERREXIT(codec, JERR_NOTIMPL); }); });
        FAIL() << "the inner failure was lost";
    } catch (const EJPEG &error) {
        EXPECT_EQ(std::string(error.what()), jpegErrorText(JERR_NOTIMPL));
    }
}

struct HeaderCase {
    const char *name;
    bool gray;
    std::vector<std::string> options;
};

// Names the case in test listings.
void PrintTo(const HeaderCase &c, std::ostream *out)
{
    *out << c.name;
}

class HeaderFacts : public testing::TestWithParam<HeaderCase> {
};

TEST_P(HeaderFacts, ComeFromTheHeaderAtTheStreamsPosition)
{
    const HeaderCase &c = GetParam();
    const Bytes jpeg = referenceJpeg(c.gray ? makeGrayImage(303, 93, 1) : makePhotoImage(303, 93, 1), c.options);
    Bytes prefixed(7, 0);
    prefixed.insert(prefixed.end(), jpeg.begin(), jpeg.end());
    TMemoryStream stream;
    fillStream(stream, prefixed);
    stream.SetPosition(7);
    const JpegHeaderFacts facts = ReadJpegHeader(stream);
    EXPECT_EQ(facts.width, 303);
    EXPECT_EQ(facts.height, 93);
    EXPECT_EQ(facts.grayscale, c.gray);
    const bool progressive = !c.options.empty();
    EXPECT_EQ(facts.multipleScans, progressive);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HeaderFacts,
                         testing::Values(HeaderCase{"colour", false, {}}, HeaderCase{"gray", true, {}},
                                         HeaderCase{"progressive", false, {"-progressive"}}),
                         [](const testing::TestParamInfo<HeaderCase> &info) { return std::string(info.param.name); });

TEST(HeaderReader, NoJpegDataIsAnEJPEG)
{
    TMemoryStream empty;
    try {
        ReadJpegHeader(empty);
        FAIL();
    } catch (const EJPEG &error) {
        EXPECT_EQ(std::string(error.what()), jpegErrorText(JERR_INPUT_EMPTY));
    }
    TMemoryStream text;
    fillStream(text, Bytes{'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});
    try {
        ReadJpegHeader(text);
        FAIL();
    } catch (const EJPEG &error) {
        EXPECT_EQ(std::string(error.what()), jpegErrorText(JERR_NO_SOI));
    }
}

} // namespace
