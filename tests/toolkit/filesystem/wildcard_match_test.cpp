#include <ostream>

#include <gtest/gtest.h>

#include "toolkit/filesystem/wildcard_match.h"

namespace {

struct WildcardCase {
    const char *pattern;
    const char *name;
    bool matches;
};

void PrintTo(const WildcardCase &c, std::ostream *out)
{
    *out << '"' << c.pattern << "\" against \"" << c.name << '"';
}

class WildcardMatch : public testing::TestWithParam<WildcardCase> {};

TEST_P(WildcardMatch, AgreesWithTheSearchRules)
{
    const WildcardCase &c = GetParam();
    EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << "pattern " << c.pattern << " name " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, WildcardMatch,
    testing::Values(WildcardCase{"*.sch", "guard.sch", true},
                    WildcardCase{"*.sch", "GUARD.SCH", true},           // letter case ignored
                    WildcardCase{"*.ogg", "Wind.OgG", true},
                    WildcardCase{"*.ogg", ".ogg", true},                // the star may match nothing
                    WildcardCase{"*.ogg", "wind.ogg.bak", false},
                    WildcardCase{"*.ogg", "wind.og", false},
                    WildcardCase{"*.ogg", "windogg", false},
                    WildcardCase{"*.sch", "a.sch.sch", true},           // the star must backtrack
                    WildcardCase{"*", ".", true},
                    WildcardCase{"*", "", true},
                    WildcardCase{"?.sch", "a.sch", true},
                    WildcardCase{"?.sch", "ab.sch", false},
                    WildcardCase{"Settings.ini", "settings.INI", true},
                    WildcardCase{"Settings.ini", "Settings.ini2", false},
                    WildcardCase{"*a*b*c", "xaxxbxxxc", true},
                    WildcardCase{"*a*b*c", "xaxxcxxxb", false},
                    WildcardCase{"\xc3\xa9*", "\xc3\x89x", false}));    // only ASCII letters fold

} // namespace
