#pragma once

#include "jpeg/codeccontext.h"
#include "tests/jpeg/reference/rasterimage.h"
#include "toolkit/core/memorystream.h"

#include <cstdint>
#include <string>
#include <vector>

// Support for the codec bridge's tests: JPEG data made by the reference
// encoder, decodes and encodes driven through the bridge alone, and streams
// that misbehave on purpose.

using Bytes = std::vector<std::uint8_t>;

// The reference encoder's JPEG of image (cjpeg with options).
Bytes referenceJpeg(const RasterImage &image, const std::vector<std::string> &options = {});
// The reference decoder's picture of jpeg (djpeg to BMP with options).
RasterImage referenceDecode(const Bytes &jpeg, const std::vector<std::string> &options = {});

// A memory stream holding bytes, positioned at 0.
void fillStream(TMemoryStream &stream, const Bytes &bytes);
Bytes streamBytes(TMemoryStream &stream);

// Decodes the stream's JPEG through the bridge into plain rows: blue, green,
// red for colour data, one byte for gray data. owner receives progress.
RasterImage decodeThroughBridge(TStream &stream, TGraphic *owner = nullptr);
// Encodes 24-bit blue-green-red rows (or gray rows) through the bridge into stream.
void encodeThroughBridge(const RasterImage &image, TStream &stream, int quality = 75, TGraphic *owner = nullptr);

// Takes at most `accepted` bytes in each Write.
class ShortWriteStream : public TMemoryStream {
public:
    explicit ShortWriteStream(std::int64_t accepted) : m_accepted(accepted) {}
    std::int64_t Write(const void *buffer, std::int64_t count) override;

private:
    std::int64_t m_accepted;
};

// Remembers the size of every Write.
class RecordingStream : public TMemoryStream {
public:
    std::int64_t Write(const void *buffer, std::int64_t count) override;
    std::int64_t Read(void *buffer, std::int64_t count) override;
    std::vector<std::int64_t> writes;
    std::vector<std::int64_t> reads;
};

// Throws EReadError after `allowedReads` reads, EWriteError after
// `allowedWrites` writes, each with a message of its own.
class FailingStream : public TMemoryStream {
public:
    FailingStream(int allowedReads, int allowedWrites) : m_allowedReads(allowedReads), m_allowedWrites(allowedWrites) {}
    std::int64_t Read(void *buffer, std::int64_t count) override;
    std::int64_t Write(const void *buffer, std::int64_t count) override;

private:
    int m_allowedReads;
    int m_allowedWrites;
};

// The message EJPEG carries for a library message code.
std::string jpegErrorText(int code);
