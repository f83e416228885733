#pragma once

#include "toolkit/core/memory_stream.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

// A memory stream holding bytes, positioned at 0; a stream's whole content.
std::unique_ptr<TMemoryStream> streamOf(const std::vector<std::uint8_t> &bytes);
void fillStream(TMemoryStream &stream, const std::vector<std::uint8_t> &bytes);
std::vector<std::uint8_t> streamBytes(TMemoryStream &stream);

// Takes at most `accepted` bytes of each Write, as a disk that fills up.
struct ShortWriteStream : TMemoryStream {
    explicit ShortWriteStream(std::int64_t accepted) : accepted(accepted) {}
    std::int64_t Write(const void *buffer, std::int64_t count) override
    {
        return TMemoryStream::Write(buffer, std::min(count, accepted));
    }
    std::int64_t accepted;
};
