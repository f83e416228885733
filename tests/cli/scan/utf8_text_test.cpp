#include <string>

#include <gtest/gtest.h>

#include "cli/scan/utf8_text.h"

namespace {

struct Utf8Case {
    const char *label;
    std::string text;
    bool valid;
};

void PrintTo(const Utf8Case &c, std::ostream *out)
{
    *out << c.label;
}

class Utf8Validity : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, Classifies)
{
    EXPECT_EQ(isValidUtf8(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8Validity,
    testing::Values(Utf8Case{"Ascii", "wind_01.ogg", true},
                    Utf8Case{"Empty", "", true},
                    Utf8Case{"TwoByte", "caf\xc3\xa9", true},
                    Utf8Case{"ThreeByte", "\xe2\x82\xac", true},
                    Utf8Case{"FourByte", "\xf0\x9f\x8e\xb5", true},
                    Utf8Case{"Latin1Byte", "caf\xe9", false},
                    Utf8Case{"StrayContinuation", "\x80", false},
                    Utf8Case{"Truncated", "\xe2\x82", false},
                    Utf8Case{"Overlong", "\xc0\xaf", false},
                    Utf8Case{"Surrogate", "\xed\xa0\x80", false},
                    Utf8Case{"AboveMaximum", "\xf4\x90\x80\x80", false},
                    Utf8Case{"ZeroByteIsText", std::string("a\0b", 3), true}),
    [](const testing::TestParamInfo<Utf8Case> &info) { return std::string(info.param.label); });

TEST(Utf8Text, HexKeepsEveryByte)
{
    EXPECT_EQ(toHex(std::string("a\xff\0/", 4)), "61ff002f");
    EXPECT_EQ(toHex(""), "");
}

} // namespace
