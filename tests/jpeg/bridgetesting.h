#pragma once

#include "jpeg/codeccontext.h"
#include "tests/jpeg/reference/reference.h"
#include "toolkit/core/memorystream.h"

#include <functional>

// JPEG data from the reference tools, decodes and encodes driven through the
// bridge alone, and streams that misbehave on purpose.

using Bytes = std::vector<std::uint8_t>;

// cjpeg's JPEG of image; djpeg's BMP picture of jpeg.
Bytes referenceJpeg(const RasterImage &image, const std::vector<std::string> &options = {});
RasterImage referenceDecode(const Bytes &jpeg, const std::vector<std::string> &options = {});

// Fills the stream with bytes, positioned at 0; the stream's bytes.
void fillStream(TMemoryStream &stream, const Bytes &bytes);
Bytes streamBytes(TMemoryStream &stream);

// Decodes into blue-green-red rows, gray rows, or indices into the codec's
// colour map read as blue, green, red; owner receives progress; configure
// runs after the header is read.
RasterImage decodeThroughBridge(TStream &stream, TGraphic *owner = nullptr,
                                const std::function<void(j_decompress_ptr)> &configure = {});
// Encodes such rows (32 bits: CMYK); a comment marker of commentLength bytes
// when not 0.
void encodeThroughBridge(const RasterImage &image, TStream &stream, int quality = 75, TGraphic *owner = nullptr,
                         unsigned commentLength = 0);

// Takes at most `accepted` bytes in each Write.
class ShortWriteStream : public TMemoryStream {
public:
    explicit ShortWriteStream(std::int64_t accepted) : m_accepted(accepted) {}
    std::int64_t Write(const void *buffer, std::int64_t count) override
    {
        return TMemoryStream::Write(buffer, std::min(count, m_accepted));
    }

private:
    std::int64_t m_accepted;
};

// Remembers the size of every Write.
class RecordingStream : public TMemoryStream {
public:
    std::int64_t Write(const void *buffer, std::int64_t count) override
    {
        writes.push_back(count);
        return TMemoryStream::Write(buffer, count);
    }
    std::vector<std::int64_t> writes;
};

// Throws EReadError after `allowedReads` reads, EWriteError after
// `allowedWrites` writes.
class FailingStream : public TMemoryStream {
public:
    FailingStream(int allowedReads, int allowedWrites) : m_allowedReads(allowedReads), m_allowedWrites(allowedWrites) {}
    std::int64_t Read(void *buffer, std::int64_t count) override;
    std::int64_t Write(const void *buffer, std::int64_t count) override;

private:
    int m_allowedReads;
    int m_allowedWrites;
};
