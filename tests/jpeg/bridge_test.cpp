// The codec bridge driven alone: contexts, guarded calls, stream source and
// destination, pixel order; checked against the reference tools.
#include "jpeg/ejpeg.h"
#include "jpeg/source_manager.h"
#include "tests/jpeg/bridge_driver.h"
#include "tests/support/process_state.h"
#include "toolkit/core/exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

void expectJpegError(const std::function<void()> &action, int code)
{
    expectFailure<EJPEG>(action, jpegErrorMessage(code));
}

struct RecordingStream : TMemoryStream {
    std::int64_t Write(const void *buffer, std::int64_t count) override
    {
        writes.push_back(count);
        return TMemoryStream::Write(buffer, count);
    }
    std::vector<std::int64_t> writes;
};

// Throws after `reads` reads or `writes` writes.
struct FailingStream : TMemoryStream {
    FailingStream(int reads, int writes) : reads(reads), writes(writes) {}
    std::int64_t Read(void *buffer, std::int64_t count) override
    {
        return reads-- <= 0 ? throw EReadError("disk unplugged while reading") : TMemoryStream::Read(buffer, count);
    }
    std::int64_t Write(const void *buffer, std::int64_t count) override
    {
        return writes-- <= 0 ? throw EWriteError("disk unplugged while writing") : TMemoryStream::Write(buffer, count);
    }
    int reads, writes;
};

std::size_t startOfScan(const Bytes &jpeg)
{
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            return i;
    return jpeg.size();
}

TEST(CodecContext, ReleaseIsHarmlessTwiceWithoutSetUpAndAfterARefusedOneAndGuardedCallsPassExceptionsUnchanged)
{
    ScopedCodecContext never;
    ReleaseContext(never.get());
    ReleaseContext(never.get());
    EXPECT_EQ(never->codec.common.err, nullptr);
    for (const bool decompress : {true, false}) {
        ScopedCodecContext context;
        decompress ? InitDecompressContext(context.get(), nullptr) : InitCompressContext(context.get(), nullptr);
        EXPECT_EQ(context->codec.common.err, &context->err);
        ReleaseContext(context.get());
        EXPECT_EQ(context->codec.common.err, nullptr);
        ReleaseContext(context.get()); // and once more by the scope
    }
    // A refused set-up fails with the library's code and stays releasable.
    struct Case { bool decompress; int version, sizeChange, code; };
    for (const Case &c : {Case{true, JPEG_LIB_VERSION + 1, 0, JERR_BAD_LIB_VERSION},
                          Case{true, JPEG_LIB_VERSION, -8, JERR_BAD_STRUCT_SIZE},
                          Case{false, 10, 0, JERR_BAD_LIB_VERSION}, Case{false, JPEG_LIB_VERSION, 8, JERR_BAD_STRUCT_SIZE}}) {
        const std::size_t size = c.decompress ? sizeof(jpeg_decompress_struct) : sizeof(jpeg_compress_struct);
        ScopedCodecContext context;
        expectJpegError([&] { codec_detail::initContext(context.get(), nullptr, c.decompress, c.version, size + c.sizeChange); },
                        c.code);
        ReleaseContext(context.get());
        ReleaseContext(context.get());
    }
    // Guarded calls let exceptions cross the library unchanged.
    ScopedCodecContext context;
    InitDecompressContext(context.get(), nullptr);
    j_common_ptr codec = &context->codec.common;
    EXPECT_EQ(callCodec(codec, [] { return 42; }), 42);
    EXPECT_THROW(callCodec(codec, [] { throw EAbort(); }), EAbort);
    // A guarded call inside another rethrows into the outer one.
    expectJpegError([codec] { callCodec(codec, [codec] { callCodec(codec, [codec] { ERREXIT(codec, JERR_NOTIMPL); }); }); },
                    JERR_NOTIMPL);
    // A stream's own failure, thrown inside the library's refill or flush.
    const Bytes jpeg = referenceJpeg(makePhotoImage(300, 200, 6));
    for (const int allowedReads : {0, 1}) {
        FailingStream stream(allowedReads, 1);
        fillStream(stream, jpeg);
        expectFailure<EReadError>([&] { decodeThroughBridge(stream); }, "disk unplugged while reading");
    }
    FailingStream unwritable(0, 0);
    expectFailure<EWriteError>([&] { encodeThroughBridge(makePhotoImage(8, 8, 6), unwritable); },
                               "disk unplugged while writing");
}

TEST(BridgeDecode, FourComponentDataFailsInsteadOfWidePixels)
{
    // Encoded here: the reference encoder makes no CMYK data.
    TMemoryStream stream;
    encodeThroughBridge(RasterImage{8, 8, 32, std::vector<std::uint8_t>(8 * 8 * 4, 0x80), {}}, stream);
    stream.SetPosition(0);
    // The message as written out, not as the code under test makes it.
    expectFailure<EJPEG>([&] { decodeThroughBridge(stream); }, "JPEG error #" + std::to_string(JERR_CONVERSION_NOTIMPL));
}

TEST(BridgeDecode, AMemoryLimitInTheEnvironmentIsIgnored)
{
    // Such a limit would send a progressive decode to temporary files.
    const Bytes jpeg = referenceJpeg(makePhotoImage(256, 256, 9), {"-progressive"});
    TMemoryStream stream;
    fillStream(stream, jpeg);
    RasterImage decoded;
    {
        const EnvironmentVariableScope memoryLimit("JPEGMEM", "1"); // not for the reference decoder
        EXPECT_NO_THROW(decoded = decodeThroughBridge(stream));
    }
    EXPECT_EQ(describeDifference(referenceDecode(jpeg), decoded), "");
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

TEST(StreamSource, DataCutInsideTheHeadersFailsAndAStreamAtItsEndIsEmpty)
{
    const Bytes jpeg = referenceJpeg(makePhotoImage(40, 30, 3));
    for (const std::size_t cut : {std::size_t{0}, std::size_t{2}, std::size_t{25}, std::size_t{200}, startOfScan(jpeg)}) {
        TMemoryStream stream;
        fillStream(stream, Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(cut)));
        if (cut == 0)
            expectJpegError([&] { decodeThroughBridge(stream); }, JERR_INPUT_EMPTY);
        else
            EXPECT_THROW(decodeThroughBridge(stream), EJPEG) << "data cut at " << cut;
    }
    TMemoryStream atEnd;
    fillStream(atEnd, jpeg);
    atEnd.Seek(0, TSeekOrigin::End);
    expectJpegError([&] { decodeThroughBridge(atEnd); }, JERR_INPUT_EMPTY);
}

TEST(StreamSource, BytesAfterTheEndOfImageAreIgnored)
{
    const Bytes jpeg = referenceJpeg(makePhotoImage(100, 80, 4));
    Bytes padded = jpeg;
    padded.insert(padded.end(), 3 * streamBlockSize + 100, 0x5A);
    TMemoryStream stream;
    fillStream(stream, padded);
    EXPECT_EQ(describeDifference(referenceDecode(jpeg), decodeThroughBridge(stream)), "");
    // Read at most into the last block that holds image data.
    const std::int64_t blocks = (static_cast<std::int64_t>(jpeg.size()) + streamBlockSize - 1) / streamBlockSize;
    EXPECT_EQ(stream.GetPosition(), blocks * streamBlockSize);
}

class SourceHarness : public testing::Test {
protected:
    void SetUp() override { InitDecompressContext(m_context.get(), nullptr); }
    void attach(TStream &stream)
    {
        jpeg_stream_src(m_codec, stream);
        m_codec->src->init_source(m_codec);
    }
    std::uint8_t nextByte()
    {
        j_decompress_ptr c = m_codec;
        if (c->src->bytes_in_buffer == 0)
            callCodec(c, [c] { return c->src->fill_input_buffer(c); });
        --c->src->bytes_in_buffer;
        return *c->src->next_input_byte++;
    }
    static Bytes numberedBytes(std::size_t count)
    {
        Bytes bytes(count);
        for (std::size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<std::uint8_t>(i % 251);
        return bytes;
    }

    ScopedCodecContext m_context;
    j_decompress_ptr m_codec = &m_context->codec.decompress;
};

TEST_F(SourceHarness, SkipLandsOnTheRightByteAndAttachingTwiceReadsTheNewStreamFromItsPosition)
{
    // Skipped after reading the first byte; next -1: the end-of-image marker.
    struct Case { std::size_t streamSize; long skipped; int expectedNext; };
    for (const Case &c : {Case{10000, 99, 100}, Case{10000, 4095, 4096}, Case{10000, 5000, 5001},
                          Case{20000, 13000, 13001}, Case{5000, 9000, -1}, Case{10000, 0, 1}, Case{10000, -5, 1}}) {
        SCOPED_TRACE("skip " + std::to_string(c.skipped));
        TMemoryStream stream;
        fillStream(stream, numberedBytes(c.streamSize));
        attach(stream);
        ASSERT_EQ(nextByte(), 0);
        j_decompress_ptr codec = m_codec;
        callCodec(codec, [codec, &c] { codec->src->skip_input_data(codec, c.skipped); });
        if (c.expectedNext >= 0) {
            EXPECT_EQ(nextByte(), static_cast<std::uint8_t>(c.expectedNext % 251));
            continue;
        }
        // Beyond the end only end-of-image markers arrive, one per refill.
        std::uint8_t previous = nextByte();
        for (int i = 0; i < 6; ++i) {
            const std::uint8_t next = nextByte();
            EXPECT_EQ(next, previous == 0xFF ? JPEG_EOI : 0xFF) << "byte " << i;
            previous = next;
        }
    }
    // Attached again: the new stream is read from its position.
    TMemoryStream first;
    fillStream(first, numberedBytes(10000));
    attach(first);
    EXPECT_EQ(nextByte(), 0);
    jpeg_source_mgr *manager = m_codec->src;
    TMemoryStream second;
    fillStream(second, numberedBytes(10000));
    second.SetPosition(100);
    attach(second);
    EXPECT_EQ(m_codec->src, manager);
    EXPECT_EQ(nextByte(), 100) << "bytes of the first stream were kept";
    EXPECT_EQ(first.GetPosition(), streamBlockSize) << "the first stream was read after it was replaced";
}

TEST(StreamDestination, OutputIsWrittenInWholeBlocksAndOneLastPieceAndAShortWriteFails)
{
    RecordingStream small;
    encodeThroughBridge(makePhotoImage(16, 16, 2), small);
    ASSERT_EQ(small.writes.size(), 1u);
    EXPECT_LT(small.writes[0], streamBlockSize);
    EXPECT_EQ(small.writes[0], small.GetSize());

    // A comment marker pads the output to an exact multiple of the block.
    const RasterImage picture = makePhotoImage(64, 64, 3);
    TMemoryStream probe;
    encodeThroughBridge(picture, probe, 75, 100);
    RecordingStream whole;
    encodeThroughBridge(picture, whole, 75, 100 + unsigned(streamBlockSize - probe.GetSize() % streamBlockSize));
    ASSERT_EQ(whole.GetSize() % streamBlockSize, 0);
    EXPECT_EQ(whole.writes.size(), static_cast<std::size_t>(whole.GetSize() / streamBlockSize));
    EXPECT_TRUE(std::all_of(whole.writes.begin(), whole.writes.end(), [](std::int64_t n) { return n == streamBlockSize; }));
    // A full block taken short, and the last piece taken short.
    for (const auto &[width, accepted] : {std::pair{300, std::int64_t{4095}}, std::pair{8, std::int64_t{10}}}) {
        ShortWriteStream stream(accepted);
        expectJpegError([&] { encodeThroughBridge(makePhotoImage(width, width, 5), stream, 95); }, JERR_FILE_WRITE);
        EXPECT_EQ(stream.GetSize(), accepted);
    }
}

} // namespace
