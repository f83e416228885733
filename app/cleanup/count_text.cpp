#include "app/cleanup/count_text.h"

std::string countText(std::uintmax_t count, std::string_view singular, std::string_view plural)
{
    return groupedNumber(count) + ' ' + std::string(count == 1 ? singular : plural);
}

std::string groupedNumber(std::uintmax_t number)
{
    const std::string digits = std::to_string(number);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string byteCountText(std::uintmax_t bytes)
{
    return countText(bytes, "byte", "bytes");
}
