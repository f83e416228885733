#include "tests/toolkit/forms/qt_test_environment.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/topendialog.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

struct HandlerFailure {
    const char *name;
    std::function<void()> raise;
    bool boxShown;
    const char *message;
};

void PrintTo(const HandlerFailure &c, std::ostream *out) { *out << c.name; }

class HandlerExceptionTest : public ::testing::TestWithParam<HandlerFailure> {
protected:
    ApplicationFixtureState state;
};

TEST_P(HandlerExceptionTest, ClickHandlerFailureIsShownAndTheWindowGoesOn)
{
    state.application().SetTitle(QStringLiteral("Vorrel"));
    QWidget window;
    auto *button = new TButton(&window, {0, 0, 50, 20}, QStringLiteral("Go"));
    int clicks = 0;
    button->OnClick = [&](TObject *) {
        ++clicks;
        GetParam().raise();
    };
    button->click();
    button->click();

    EXPECT_EQ(clicks, 2) << "the second click must still reach the handler";
    if (!GetParam().boxShown) {
        EXPECT_TRUE(state.errors().empty());
        return;
    }
    ASSERT_EQ(state.errors().size(), 2u);
    EXPECT_EQ(state.errors()[0].caption, QStringLiteral("Vorrel"));
    EXPECT_EQ(state.errors()[0].message, QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, HandlerExceptionTest,
    ::testing::Values(
        HandlerFailure{"ToolkitException", [] { throw EInvalidGraphic("JPEG error #42"); }, true, "JPEG error #42"},
        HandlerFailure{"StandardException", [] { throw std::runtime_error("disk gone"); }, true, "disk gone"},
        HandlerFailure{"AnythingElse", [] { throw 7; }, true, ""},
        HandlerFailure{"SilentAbort", [] { throw EAbort(); }, false, ""}),
    [](const ::testing::TestParamInfo<HandlerFailure> &info) { return std::string(info.param.name); });

// Whether Qt's file dialog shows a name under an entry's globs.
bool shownBy(const QString &qtFilter, const QString &name)
{
    const qsizetype open = qtFilter.lastIndexOf(QLatin1Char('('));
    for (const QString &glob : qtFilter.mid(open + 1, qtFilter.size() - open - 2).split(QLatin1Char(' '))) {
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
    EXPECT_EQ(qtNameFilters("A|*.ogg|All|*").size(), 2) << "one entry per pair";
}

} // namespace
