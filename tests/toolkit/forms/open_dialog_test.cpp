#include "toolkit/forms/topendialog.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TEST(OpenDialogFilterTest, EachPairBecomesOneEntry)
{
    EXPECT_EQ(qtNameFilters("Scheme Files (*.sch)|*.sch"),
              QStringList{QStringLiteral("Scheme Files (*.sch) (*.[sS][cC][hH])")});
    EXPECT_EQ(qtNameFilters("Audio Files(*.ogg, *.wav)|*.ogg;*.wav|All|*"),
              (QStringList{QStringLiteral("Audio Files(*.ogg, *.wav) (*.[oO][gG][gG] *.[wW][aA][vV])"),
                           QStringLiteral("All (*)")}));
    EXPECT_TRUE(qtNameFilters("").isEmpty());
}

// Matches a name the way Qt's file dialog applies an entry's globs.
bool shownBy(const QString &qtFilter, const QString &name)
{
    const qsizetype open = qtFilter.lastIndexOf(QLatin1Char('('));
    const QStringList globs = qtFilter.mid(open + 1, qtFilter.size() - open - 2).split(QLatin1Char(' '));
    for (const QString &glob : globs) {
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob)).match(name).hasMatch())
            return true;
    }
    return false;
}

TEST(OpenDialogFilterTest, PatternsMatchWithoutRegardToLetterCase)
{
    const struct {
        const char *filter;
        const char *name;
        bool shown;
    } cases[] = {
        {"S|*.sch", "town.sch", true},      {"S|*.sch", "TOWN.SCH", true},       {"S|*.sch", "Town.Sch", true},
        {"S|*.sch", "town.sch.bak", false}, {"S|*.sch", "town.ogg", false},      {"A|*.ogg;*.wav", "rain.OGG", true},
        {"A|*.ogg;*.wav", "rain.Wav", true}, {"A|*.ogg;*.wav", "rain.mp3", false},
    };
    for (const auto &c : cases) {
        const QStringList filters = qtNameFilters(c.filter);
        ASSERT_EQ(filters.size(), 1);
        EXPECT_EQ(shownBy(filters.front(), QString::fromUtf8(c.name)), c.shown) << c.filter << " / " << c.name;
    }
}

} // namespace
