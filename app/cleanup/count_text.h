#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A count with its noun in English: "1 file", "2 files", "0 files".
std::string countText(std::uintmax_t count, std::string_view singular, std::string_view plural);

// A number with its thousands grouped by commas: "1,234,567".
std::string groupedNumber(std::uintmax_t number);

// "1 byte", "1,234,567 bytes".
std::string byteCountText(std::uintmax_t bytes);
