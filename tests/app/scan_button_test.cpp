#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tcheckbox.h"
#include "toolkit/forms/tmemo.h"

#include <QApplication>
#include <QEvent>

#include <ostream>

namespace {

// Schemes: town.sch refers to rain; sub/cave.sch refers to thunder and
// hail. Audio: hail.ogg and rain.ogg; sub/thunder.ogg and sub/wind.ogg.
void makeSoundTree(const TestFolder &folder)
{
    folder.writeFile("schemes/town.sch", "\"town ambience\"\nrain\n");
    folder.writeFile("schemes/sub/cave.sch", "\"cave drips\"\nthunder\nnot a reference\n\"storm\"\nhail\n");
    folder.writeFile("audio/hail.ogg", "");
    folder.writeFile("audio/rain.ogg", "");
    folder.writeFile("audio/sub/thunder.ogg", "");
    folder.writeFile("audio/sub/wind.ogg", "");
}

struct ScanCase {
    const char *name;
    bool schemesSubfolders;
    bool audioSubfolders;
    std::vector<std::string> report;
};

void PrintTo(const ScanCase &scanCase, std::ostream *out)
{
    *out << scanCase.name;
}

class ScanButtonTest : public MainWindowTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(ScanButtonTest, ReportsTheAudioNoSchemeUses)
{
    makeSoundTree(folder);
    folder.writeFile("Settings.ini", folder.path() + "/schemes/\n" + folder.path() + "/audio/");
    TForm1 &form = createMainWindow();
    form.CheckBox1->SetChecked(GetParam().schemesSubfolders);
    form.CheckBox2->SetChecked(GetParam().audioSubfolders);

    form.Button3->click();

    EXPECT_EQ(form.Memo1->Lines().all(), GetParam().report);
    EXPECT_EQ(currentWorkingFolder(), folder.path());
    EXPECT_TRUE(state.errors().boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Depths, ScanButtonTest,
    ::testing::Values(ScanCase{"Flat", false, false, {"hail", "", "Scan termined."}},
                      ScanCase{"SchemesSubfolders", true, false, {"Scan termined."}},
                      ScanCase{"AudioSubfolders", false, true, {"hail", "thunder", "wind", "", "Scan termined."}},
                      ScanCase{"BothSubfolders", true, true, {"wind", "", "Scan termined."}}),
    [](const ::testing::TestParamInfo<ScanCase> &info) { return std::string(info.param.name); });

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(MainWindowTest, ScanHandsTheFoldersAndBoxesOnAfterShowingTheNotice)
{
    folder.writeFile("Settings.ini", "/mods/schemes/\n/mods/audio/");
    TForm1 &form = createMainWindow();
    form.show();
    QApplication::processEvents();
    form.CheckBox2->SetChecked(true);
    form.Memo1->Lines().Assign({"old", "report"});

    PaintCounter counter;
    form.Memo1->viewport()->installEventFilter(&counter);
    std::optional<ScanRequest> seen;
    std::vector<std::string> linesDuringScan;
    int paintsBeforeScan = -1;
    form.setScanner([&](const ScanRequest &request) {
        seen = request;
        linesDuringScan = form.Memo1->Lines().all();
        paintsBeforeScan = counter.paints;
        return std::vector<std::string>{"wind", "", "Scan termined."};
    });

    form.Button3->click();

    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->schemesFolder, "/mods/schemes/");
    EXPECT_EQ(seen->audioFolder, "/mods/audio/");
    EXPECT_FALSE(seen->schemesSubfolders);
    EXPECT_TRUE(seen->audioSubfolders);
    EXPECT_EQ(seen->baseFolder, folder.path());
    EXPECT_EQ(linesDuringScan, std::vector<std::string>{"Scanning started, please wait."});
    EXPECT_GT(paintsBeforeScan, 0) << "the notice must be painted before the scan holds the window";
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"wind", "", "Scan termined."}));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("wind\n\nScan termined."));
}

} // namespace
