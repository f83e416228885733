#include "toolkit/core/clock.h"
#include "toolkit/core/format.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(FormatWithInteger, FillsOnlyIntegerPlaceholders)
{
    const std::pair<const char *, const char *> cases[] = {{"JPEG error #%d", "JPEG error #42"},
                                                           {"%d of %d", "42 of 42"},
                                                           {"100%% done", "100% done"},
                                                           {"%s and %n stay", "%s and %n stay"},
                                                           {"trailing %", "trailing %"}};
    for (const auto &[format, expected] : cases)
        EXPECT_EQ(formatWithInteger(format, 42), expected) << format;
}

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
