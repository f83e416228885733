#include "toolkit/core/clock.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/stringresources.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

TEST(StringResources, ProgramTextsByNumber)
{
    EXPECT_EQ(LoadResString(65520), "Cannot change the size of a JPEG image");
    EXPECT_EQ(LoadResString(65521), "JPEG error #%d");
    EXPECT_EQ(LoadResString(65522), "JPEG Image File");
    EXPECT_EQ(LoadResString(StringResource::jpegError), LoadResString(65521));
}

struct FormatCase {
    const char *format;
    long long value;
    const char *expected;
};

// Names the case in test listings.
void PrintTo(const FormatCase &c, std::ostream *out)
{
    *out << c.format;
}

class FormatWithInteger : public testing::TestWithParam<FormatCase> {
};

TEST_P(FormatWithInteger, FillsOnlyIntegerPlaceholders)
{
    EXPECT_EQ(formatWithInteger(GetParam().format, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatWithInteger,
                         testing::Values(FormatCase{"JPEG error #%d", 42, "JPEG error #42"},
                                         FormatCase{"%d of %d", 3, "3 of 3"},
                                         FormatCase{"100%% done", 1, "100% done"},
                                         FormatCase{"%s and %n stay", 5, "%s and %n stay"},
                                         FormatCase{"trailing %", 5, "trailing %"}));

TEST(TickCount, OverridesNestAndRestore)
{
    const std::uint32_t real = GetTickCount();
    {
        TickCountOverride outer([] { return 1000u; });
        EXPECT_EQ(GetTickCount(), 1000u);
        {
            std::uint32_t next = 0xFFFFFFF0u;
            TickCountOverride inner([&next] { return next += 0x20u; });
            EXPECT_EQ(GetTickCount(), 0x10u) << "ticks wrap in 32 bits";
        }
        EXPECT_EQ(GetTickCount(), 1000u);
    }
    // Back on the system clock: it has not gone backwards.
    EXPECT_GE(static_cast<std::int32_t>(GetTickCount() - real), 0);
}

} // namespace
