#pragma once

#include "toolkit/core/memory_stream.h"

#include <cstdint>
#include <memory>
#include <vector>

// A memory stream holding bytes, positioned at 0; a stream's whole content.
std::unique_ptr<TMemoryStream> streamOf(const std::vector<std::uint8_t> &bytes);
void fillStream(TMemoryStream &stream, const std::vector<std::uint8_t> &bytes);
std::vector<std::uint8_t> streamBytes(TMemoryStream &stream);
