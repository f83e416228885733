#include "toolkit/core/format.h"

std::string formatWithInteger(std::string_view format, long long value)
{
    std::string result;
    result.reserve(format.size() + 20);
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 'd') {
                result += std::to_string(value);
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                result += '%';
                ++i;
                continue;
            }
        }
        result += format[i];
    }
    return result;
}
