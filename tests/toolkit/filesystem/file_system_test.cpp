#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/filesystem/entry_order.h"
#include "toolkit/filesystem/wildcard_match.h"

namespace {

using Names = std::vector<std::string>;

TEST(NameRules, WildcardsIgnoreAsciiLetterCaseAndBacktrackAndEntriesSortByUpperCasedBytesThenRawBytes)
{
    const struct {
        const char *pattern, *name;
        bool matches;
    } cases[] = {
        {"*.sch", "GUARD.SCH", true},  {"*.ogg", ".ogg", true},      {"*.ogg", "wind.ogg.bak", false},
        {"*.ogg", "windogg", false},   {"*.sch", "a.sch.sch", true}, {"*", "", true},
        {"?.sch", "a.sch", true},      {"?.sch", "ab.sch", false},   {"Settings.ini", "Settings.ini2", false},
        {"*a*b*c", "xaxxbxxxc", true}, {"*a*b*c", "xaxxcxxxb", false},
        {"\xc3\xa9*", "\xc3\x89x", false},  // only ASCII letters fold
    };
    for (const auto &c : cases)
        EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " against " << c.name;
    // Entries sort by upper-cased bytes, then raw bytes.
    // The long pair differs first in case, then in letters, within the first
    // eight bytes: the earliest letter difference decides.
    Names names = {"b.ogg", "_x.ogg", "A.ogg", "WIND_B_hall", "a.ogg", "Z", "z.ogg", "a", "ab", "\xe9.ogg", "B.ogg",
                   "wind_a_loop", "0"};
    std::sort(names.begin(), names.end(), entryNameLess);
    // '_' (0x5F) sorts after the upper-cased letters; bytes above 0x7F last;
    // names equal but for case: the upper-case bytes first.
    EXPECT_EQ(names, (Names{"0", "a", "A.ogg", "a.ogg", "ab", "B.ogg", "b.ogg", "wind_a_loop", "WIND_B_hall", "Z", "z.ogg",
                            "_x.ogg", "\xe9.ogg"}));
}

} // namespace
