#include "tests/support/byte_stream.h"

std::unique_ptr<TMemoryStream> streamOf(const std::vector<std::uint8_t> &bytes)
{
    auto stream = std::make_unique<TMemoryStream>();
    fillStream(*stream, bytes);
    return stream;
}

void fillStream(TMemoryStream &stream, const std::vector<std::uint8_t> &bytes)
{
    stream.SetSize64(0);
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
}

std::vector<std::uint8_t> streamBytes(TMemoryStream &stream)
{
    const std::uint8_t *bytes = stream.Memory();
    return bytes == nullptr ? std::vector<std::uint8_t>{} : std::vector<std::uint8_t>(bytes, bytes + stream.GetSize());
}
