// The stream source driven directly: refills, skips and re-attachment.
#include "jpeg/ejpeg.h"
#include "jpeg/sourcemanager.h"
#include "tests/jpeg/bridgetesting.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

Bytes numberedBytes(std::size_t count)
{
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i % 251);
    return bytes;
}

class SourceHarness : public testing::Test {
protected:
    void SetUp() override { InitDecompressContext(m_context.get(), nullptr); }

    j_decompress_ptr codec() { return &m_context->codec.decompress; }

    void attach(TStream &stream)
    {
        jpeg_stream_src(codec(), stream);
        j_decompress_ptr c = codec();
        c->src->init_source(c);
    }
    std::uint8_t nextByte()
    {
        j_decompress_ptr c = codec();
        if (c->src->bytes_in_buffer == 0)
            callCodec(c, [c] { return c->src->fill_input_buffer(c); });
        --c->src->bytes_in_buffer;
        return *c->src->next_input_byte++;
    }
    void skip(long count)
    {
        j_decompress_ptr c = codec();
        callCodec(c, [c, count] { c->src->skip_input_data(c, count); });
    }

    ScopedCodecContext m_context;
};

struct SkipCase {
    const char *name;
    std::size_t streamSize;
    long skipped; // after reading the first byte
    int expectedNext; // -1: the end-of-image marker
};

// Names the case in test listings.
void PrintTo(const SkipCase &c, std::ostream *out)
{
    *out << c.name;
}

class Skip : public SourceHarness, public testing::WithParamInterface<SkipCase> {
};

TEST_P(Skip, LandsOnTheRightByte)
{
    const SkipCase &c = GetParam();
    RecordingStream stream;
    fillStream(stream, numberedBytes(c.streamSize));
    attach(stream);
    ASSERT_EQ(nextByte(), 0);
    skip(c.skipped);
    if (c.expectedNext < 0) {
        // The skip counted the inserted markers too; from here on only
        // end-of-image markers arrive, one per refill.
        std::uint8_t previous = nextByte();
        for (int i = 0; i < 6; ++i) {
            const std::uint8_t next = nextByte();
            EXPECT_EQ(next, previous == 0xFF ? JPEG_EOI : 0xFF) << "byte " << i;
            previous = next;
        }
    } else {
        EXPECT_EQ(nextByte(), static_cast<std::uint8_t>(c.expectedNext % 251));
    }
    EXPECT_EQ(m_context->err.num_warnings, 0) << "warnings are dropped, not counted";
}

INSTANTIATE_TEST_SUITE_P(Distances, Skip,
                         testing::Values(SkipCase{"inside_the_buffer", 10000, 99, 100},
                                         SkipCase{"to_the_buffers_end", 10000, 4095, 4096},
                                         SkipCase{"beyond_the_buffer", 10000, 5000, 5001},
                                         SkipCase{"across_several_refills", 20000, 13000, 13001},
                                         SkipCase{"beyond_the_end", 5000, 9000, -1},
                                         SkipCase{"zero", 10000, 0, 1},
                                         SkipCase{"negative", 10000, -5, 1}),
                         [](const testing::TestParamInfo<SkipCase> &info) { return std::string(info.param.name); });

TEST_F(SourceHarness, AttachingTwiceReusesTheManagerAndReadsTheNewStreamFromItsPosition)
{
    TMemoryStream first;
    fillStream(first, numberedBytes(10000));
    attach(first);
    EXPECT_EQ(nextByte(), 0);
    jpeg_source_mgr *manager = codec()->src;

    RecordingStream second;
    fillStream(second, numberedBytes(10000));
    second.SetPosition(100);
    attach(second);
    EXPECT_EQ(codec()->src, manager);
    EXPECT_EQ(codec()->src->bytes_in_buffer, 0u) << "bytes of the first stream were kept";
    EXPECT_EQ(nextByte(), 100);
    EXPECT_EQ(first.GetPosition(), streamBlockSize) << "the first stream was read after it was replaced";
}

} // namespace
