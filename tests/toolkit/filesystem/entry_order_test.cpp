#include <algorithm>
#include <random>
#include <tuple>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/filesystem/entry_order.h"

namespace {

TEST(EntryOrder, SortsByUpperCasedBytesThenRawBytes)
{
    std::vector<std::string> names = {"b.ogg", "_x.ogg", "A.ogg", "a.ogg", "Z", "a", "ab", "\xe9.ogg", "B.ogg", "0"};
    std::sort(names.begin(), names.end(), [](const std::string &l, const std::string &r) { return entryNameLess(l, r); });
    // '0' (0x30) < 'A' (0x41) < 'Z' < '_' (0x5F, after the upper-case letters
    // but before the lower-case ones it would follow without folding); bytes
    // above 0x7F come last. Names equal without case: upper-case bytes first.
    const std::vector<std::string> expected = {"0", "a", "A.ogg", "a.ogg", "ab", "B.ogg", "b.ogg", "Z", "_x.ogg", "\xe9.ogg"};
    EXPECT_EQ(names, expected);
}

// The order spelled out: upper-case copies compared as strings (which
// compare bytes as unsigned values), then the raw names.
bool referenceLess(const std::string &left, const std::string &right)
{
    auto upperCopy = [](std::string text) {
        for (char &c : text) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        }
        return text;
    };
    return std::make_tuple(upperCopy(left), left) < std::make_tuple(upperCopy(right), right);
}

TEST(EntryOrder, AgreesWithTheOrderSpelledOutOnRandomNames)
{
    const std::string alphabet = "aAbBzZ_09.\xe9\x7f";
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> length(0, 6);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    for (int round = 0; round < 20000; ++round) {
        std::string names[2];
        for (std::string &name : names) {
            for (std::size_t n = length(random); n > 0; --n)
                name += alphabet[letter(random)];
        }
        ASSERT_EQ(entryNameLess(names[0], names[1]), referenceLess(names[0], names[1]))
            << testing::PrintToString(names[0]) << " vs " << testing::PrintToString(names[1]);
    }
}

} // namespace
