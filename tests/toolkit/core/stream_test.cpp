#include "tests/support/expect_failure.h"
#include "tests/support/test_folder.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/file_stream.h"
#include "toolkit/core/memory_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace {

// The same checks on a memory stream (false) and a file stream (true), each holding "abcdef" with the position at its end.
class StreamKinds : public testing::TestWithParam<bool> {
protected:
    StreamKinds() { stream.WriteBuffer("abcdef", 6); }

    TestFolder m_folder;
    std::unique_ptr<TStream> m_stream = GetParam() ? std::unique_ptr<TStream>(std::make_unique<TFileStream>(
                                                         m_folder / "stream.bin", TFileMode::Create))
                                                   : std::make_unique<TMemoryStream>();
    TStream &stream = *m_stream;
};

TEST_P(StreamKinds, ShortReadReturnsWhatIsLeftAndReadBufferFailsUnlessEveryByteArrives)
{
    stream.SetPosition(4);
    char buffer[10]{};
    EXPECT_EQ(stream.Read(buffer, 10), 2);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(stream.GetPosition(), 6);
    EXPECT_EQ(stream.Read(buffer, 10), 0);
    EXPECT_EQ(stream.Read(buffer, -3), 0);

    stream.SetPosition(3);
    expectFailure<EReadError>([&] { stream.ReadBuffer(buffer, 4); }, "Stream read error");
    stream.SetPosition(1);
    stream.ReadBuffer(buffer, 2);
    EXPECT_EQ(std::string(buffer, 2), "bc");
    stream.ReadBuffer(buffer, 0);
    EXPECT_THROW(stream.ReadBuffer(buffer, -1), EReadError);
}

TEST_P(StreamKinds, SizeChangesAndWritesBeyondTheEndFillWithZerosAndNegativeOnesAreRefused)
{
    using SizeAndPosition = std::pair<std::int64_t, std::int64_t>;
    const auto sizeAndPosition = [this] { return SizeAndPosition(stream.GetSize(), stream.GetPosition()); };
    // Negative sizes and positions are refused without a change.
    EXPECT_THROW(stream.SetSize64(-1), EWriteError);
    EXPECT_THROW(stream.Seek(-7, TSeekOrigin::End), EReadError);
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::Current), 5);
    EXPECT_EQ(sizeAndPosition(), SizeAndPosition(6, 5));
    stream.SetSize64(3); // shrinking pulls the position back
    EXPECT_EQ(sizeAndPosition(), SizeAndPosition(3, 3));
    stream.SetPosition(1);
    stream.SetSize64(5);
    EXPECT_EQ(sizeAndPosition(), SizeAndPosition(5, 1));
    stream.SetPosition(7);
    stream.WriteBuffer("z", 1);
    EXPECT_EQ(sizeAndPosition(), SizeAndPosition(8, 8));
    char buffer[7]{};
    stream.SetPosition(1);
    stream.ReadBuffer(buffer, 7);
    EXPECT_EQ(std::string(buffer, 7), std::string("bc\0\0\0\0z", 7));
}

INSTANTIATE_TEST_SUITE_P(Streams, StreamKinds, testing::Bool());

TEST(MemoryAndFileStream, ImpossibleSizeIsAnErrorNotACrashAndAMissingFileIsNamed)
{
    TMemoryStream stream;
    stream.WriteBuffer("abc", 3);
    EXPECT_THROW(stream.SetSize64(TMemoryStream::maxSize + 1), EWriteError);
    EXPECT_THROW(stream.SetSize64(std::int64_t{1} << 62), EWriteError);
    stream.SetPosition(TMemoryStream::maxSize);
    EXPECT_THROW(stream.WriteBuffer("x", 1), EWriteError);
    ASSERT_EQ(stream.GetSize(), 3);
    EXPECT_EQ(std::memcmp(stream.Memory(), "abc", 3), 0);
    // A file stream on a missing file names the file.
    TestFolder folder;
    const std::string missing = folder / "missing.bin";
    expectFailure<EFOpenError>([&] { TFileStream(missing, TFileMode::OpenRead); }, missing, true);
    EXPECT_THROW(TFileStream(folder / "no/such/folder.bin", TFileMode::Create), EFCreateError);
}

} // namespace
