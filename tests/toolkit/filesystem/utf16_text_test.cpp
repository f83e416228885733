#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "toolkit/filesystem/utf16_text.h"

namespace {

TEST(Utf16Text, ConvertsBothWaysAndCarriesUnpairedSurrogates)
{
    const struct {
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"wind_01.ogg", u"wind_01.ogg"}, {"caf\xc3\xa9", u"caf\u00e9"}, {"\xe6\x97\xa5", u"\u65e5"},
        {"\xf0\x9f\x8e\xb5", u"\U0001F3B5"}, {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        // NTFS allows a surrogate alone in a name; it must come back unchanged.
        {"x\xed\xa0\xbdy", std::u16string(u"x") + char16_t(0xD83D) + u"y"}, {"\xed\xbe\xb5", std::u16string(1, 0xDFB5)},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(utf8ToUtf16(c.utf8), c.utf16) << testing::PrintToString(c.utf8);
        EXPECT_EQ(utf16ToUtf8(c.utf16), c.utf8) << testing::PrintToString(c.utf8);
    }
    for (const std::string bad : {"\xe9", "\x80", "\xe2\x82", "\xc0\xaf", "\xf4\x90\x80\x80"})
        EXPECT_EQ(utf8ToUtf16("<" + bad + ">")[1], u'\uFFFD') << testing::PrintToString(bad);
}

TEST(Utf16Text, PiecesEndBeforeASurrogatePairNotInsideIt)
{
    using Case = std::pair<std::size_t, std::size_t>;  // a limit, and the piece for it
    for (const auto &[limit, expected] : {Case{1, 1}, Case{2, 2}, Case{3, 2}, Case{4, 4}, Case{9, 5}})
        EXPECT_EQ(utf16PieceLength(u"ab\U0001F3B5c", limit), expected) << limit;  // the pair at 2 and 3
    EXPECT_EQ(utf16PieceLength(std::u16string(1, 0xD83D) + u"x", 1), 1u);  // a lone half still moves on
}

} // namespace
