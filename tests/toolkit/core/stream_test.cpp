#include "tests/toolkit/core/scratchfolder.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/filestream.h"
#include "toolkit/core/memorystream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string contents(TMemoryStream &stream)
{
    return std::string(reinterpret_cast<const char *>(stream.Memory()), static_cast<std::size_t>(stream.GetSize()));
}

// The same checks run on both kinds of stream.
class StreamKinds : public testing::TestWithParam<const char *> {
protected:
    std::unique_ptr<TStream> makeStream()
    {
        if (std::string(GetParam()) == "memory")
            return std::make_unique<TMemoryStream>();
        return std::make_unique<TFileStream>(m_folder.file("stream.bin"), TFileMode::Create);
    }

private:
    ScratchFolder m_folder;
};

TEST_P(StreamKinds, ShortReadReturnsWhatIsLeftAndMovesThePosition)
{
    auto stream = makeStream();
    stream->WriteBuffer("abcdef", 6);
    stream->SetPosition(4);
    std::array<char, 10> buffer{};
    EXPECT_EQ(stream->Read(buffer.data(), 10), 2);
    EXPECT_EQ(std::string(buffer.data(), 2), "ef");
    EXPECT_EQ(stream->GetPosition(), 6);
    EXPECT_EQ(stream->Read(buffer.data(), 10), 0);
    EXPECT_EQ(stream->Read(buffer.data(), -3), 0);
}

TEST_P(StreamKinds, ReadBufferFailsUnlessEveryByteArrives)
{
    auto stream = makeStream();
    stream->WriteBuffer("abc", 3);
    stream->SetPosition(0);
    std::array<char, 4> buffer{};
    try {
        stream->ReadBuffer(buffer.data(), 4);
        FAIL() << "a read of 4 bytes from 3 succeeded";
    } catch (const EReadError &error) {
        EXPECT_STREQ(error.what(), "Stream read error");
    }
    stream->SetPosition(1);
    stream->ReadBuffer(buffer.data(), 2);
    EXPECT_EQ(std::string(buffer.data(), 2), "bc");
    stream->ReadBuffer(buffer.data(), 0);
    EXPECT_THROW(stream->ReadBuffer(buffer.data(), -1), EReadError);
}

TEST_P(StreamKinds, WritingBeyondTheEndFillsTheGapWithZeros)
{
    auto stream = makeStream();
    stream->WriteBuffer("ab", 2);
    stream->SetPosition(5);
    stream->WriteBuffer("z", 1);
    EXPECT_EQ(stream->GetSize(), 6);
    EXPECT_EQ(stream->GetPosition(), 6);
    std::array<char, 6> buffer{};
    stream->SetPosition(0);
    stream->ReadBuffer(buffer.data(), 6);
    EXPECT_EQ(std::string(buffer.data(), 6), std::string("ab\0\0\0z", 6));
}

TEST_P(StreamKinds, SetSize64GrowsWithZerosAndShrinksPullingThePositionBack)
{
    auto stream = makeStream();
    stream->WriteBuffer("abcdef", 6);
    stream->SetSize64(3);
    EXPECT_EQ(stream->GetSize(), 3);
    EXPECT_EQ(stream->GetPosition(), 3);
    stream->SetPosition(1);
    stream->SetSize64(8);
    EXPECT_EQ(stream->GetSize(), 8);
    EXPECT_EQ(stream->GetPosition(), 1);
    std::array<char, 7> buffer{};
    stream->ReadBuffer(buffer.data(), 7);
    EXPECT_EQ(std::string(buffer.data(), 7), std::string("bc\0\0\0\0\0", 7));
}

TEST_P(StreamKinds, NegativeSizeAndPositionAreRefusedWithoutChange)
{
    auto stream = makeStream();
    stream->WriteBuffer("abc", 3);
    EXPECT_THROW(stream->SetSize64(-1), EWriteError);
    EXPECT_EQ(stream->GetSize(), 3);
    EXPECT_THROW(stream->Seek(-4, TSeekOrigin::End), EReadError);
    EXPECT_EQ(stream->GetPosition(), 3);
    EXPECT_EQ(stream->Seek(-1, TSeekOrigin::Current), 2);
}

INSTANTIATE_TEST_SUITE_P(Streams, StreamKinds, testing::Values("memory", "file"));

TEST(MemoryStream, ImpossibleSizeIsAnErrorNotACrash)
{
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    EXPECT_THROW(stream.SetSize64(TMemoryStream::maxSize + 1), EWriteError);
    EXPECT_THROW(stream.SetSize64(std::int64_t{1} << 62), EWriteError);
    stream.SetPosition(TMemoryStream::maxSize);
    EXPECT_THROW(stream.WriteBuffer("x", 1), EWriteError);
    EXPECT_EQ(contents(stream), "abc");
}

TEST(FileStream, MissingFileNamesTheFile)
{
    ScratchFolder folder;
    const std::string missing = folder.file("missing.bin");
    try {
        TFileStream stream(missing, TFileMode::OpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError &error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
    EXPECT_THROW(TFileStream(folder.file("no/such/folder.bin"), TFileMode::Create), EFCreateError);
}

} // namespace
