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

} // namespace
