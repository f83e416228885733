#include "toolkit/filesystem/entry_order.h"

#include "toolkit/core/ascii_case.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Every byte with ASCII letters upper-cased, looked up rather than tested:
// sorting a folder compares names many times over.
struct UpperTable {
    unsigned char bytes[256];
    constexpr UpperTable() : bytes()
    {
        for (int i = 0; i < 256; ++i)
            bytes[i] = asciiUpper(static_cast<unsigned char>(i));
    }
};
constexpr UpperTable upper;

unsigned char byteAt(std::string_view text, std::size_t index)
{
    return static_cast<unsigned char>(text[index]);
}

// The index of the first byte where `a` and `b` differ among their first
// `count` bytes, or `count`. Compares eight bytes at a time: names in one
// folder often share long prefixes, and sorting compares them many times.
std::size_t firstDifference(const char *a, const char *b, std::size_t count)
{
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= count; i += sizeof(std::uint64_t)) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        if (x != y) {
            const std::uint64_t differing = x ^ y;
            if constexpr (std::endian::native == std::endian::little)
                return i + static_cast<std::size_t>(std::countr_zero(differing)) / 8;
            else
                return i + static_cast<std::size_t>(std::countl_zero(differing)) / 8;
        }
    }
    while (i < count && a[i] == b[i])
        ++i;
    return i;
}

} // namespace

bool entryNameLess(std::string_view left, std::string_view right)
{
    // Up to the first byte where the raw names differ, the upper-cased ones
    // agree as well; the raw difference there also settles a tie.
    const std::size_t common = std::min(left.size(), right.size());
    const std::size_t differs = firstDifference(left.data(), right.data(), common);
    for (std::size_t i = differs; i < common; ++i) {
        const unsigned char l = upper.bytes[byteAt(left, i)];
        const unsigned char r = upper.bytes[byteAt(right, i)];
        if (l != r)
            return l < r;
    }
    if (left.size() != right.size())
        return left.size() < right.size();
    return differs < common && byteAt(left, differs) < byteAt(right, differs);
}
