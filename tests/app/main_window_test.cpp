#include "icon/icon_drawing.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tcheckbox.h"
#include "toolkit/forms/tedit.h"
#include "toolkit/forms/ticon.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tmainmenu.h"
#include "toolkit/forms/tmemo.h"
#include "toolkit/forms/tpanel.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include <tuple>

namespace {

using namespace std::string_literals;

// Children in stacking order, bottom first.
std::vector<QString> stackOf(const QWidget *parent)
{
    std::vector<QString> names;
    for (const QObject *child : parent->children()) {
        if (child->isWidgetType())
            names.push_back(child->objectName());
    }
    return names;
}

TEST_F(MainWindowTest, EveryControlSitsAtItsPlaceInItsStackingOrder)
{
    const struct {
        const char *name;
        bool onPanel;
        QRect geometry;
        const char *caption;
    } layoutTable[] = { // bottom of the stack first
        {"Panel2", false, {0, 0, 665, 609}, "Panel2"},
        {"Panel1", false, {8, 8, 649, 593}, "Panel1"},
        {"Image1", true, {576, 344, 49, 49}, ""},
        {"CheckBox1", true, {528, 56, 17, 17}, ""},
        {"CheckBox2", true, {528, 120, 17, 17}, ""},
        {"Button1", false, {592, 32, 25, 17}, "..."},
        {"Button2", false, {592, 96, 25, 17}, "..."},
        {"Button3", false, {576, 184, 65, 65}, "SCAN"},
        {"Edit1", false, {32, 32, 521, 21}, ""},
        {"Edit2", false, {32, 96, 521, 21}, ""},
        {"Memo1", false, {32, 184, 521, 369}, ""},
        {"StaticText1", false, {32, 16, 75, 17}, "Schemes  path"},
        {"StaticText2", false, {32, 80, 76, 17}, "Audio files path"},
        {"StaticText3", false, {32, 168, 65, 17}, "Scan results:"},
        {"StaticText4", false, {448, 128, 86, 17}, "Scan in subfolder"},
        {"StaticText5", false, {448, 64, 86, 17}, "Scan in subfolder"},
    };
    TForm1 &form = createMainWindow();
    std::vector<QString> windowStack;
    std::vector<QString> panelStack;
    for (const auto &row : layoutTable) {
        SCOPED_TRACE(row.name);
        auto *control = form.findChild<QWidget *>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), row.onPanel ? static_cast<QWidget *>(form.Panel1) : form.client());
        (row.onPanel ? panelStack : windowStack).push_back(control->objectName());
        EXPECT_EQ(control->geometry(), row.geometry);
        const auto *panel = dynamic_cast<const TPanel *>(control);
        EXPECT_EQ(panel ? panel->Caption() : control->property("text").toString(), QString::fromUtf8(row.caption));
        EXPECT_EQ(control->font().bold(), control == form.Button3) << "SCAN is the only bold control";
        EXPECT_EQ(control->font().pixelSize(), 11);
    }
    EXPECT_EQ(stackOf(form.client()), windowStack);
    EXPECT_EQ(stackOf(form.Panel1), panelStack);
}

TEST_F(MainWindowTest, StartsHiddenWithEmptyReadOnlyFieldsClearBoxesAndOneEmptyResultLine)
{
    folder.writeFile("Settings.ini", "/s/\n/a/");
    TForm1 &form = createMainWindow();
    EXPECT_FALSE(form.isVisible()) << "the window is built hidden; the event loop shows it";
    for (TEdit *field : {form.Edit1, form.Edit2}) {
        EXPECT_EQ(field->Text(), "") << "the fields show only folders chosen in this run";
        EXPECT_TRUE(field->isReadOnly());
    }
    EXPECT_FALSE(form.CheckBox1->Checked() || form.CheckBox2->Checked());
    EXPECT_EQ(form.Memo1->Lines().all(), std::vector<std::string>{""});
    EXPECT_TRUE(form.Memo1->isReadOnly());
    EXPECT_EQ(form.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    for (TButton *button : {form.Button1, form.Button2, form.Button3})
        EXPECT_FALSE(button->isDefault() || button->autoDefault());
    const auto *icon = dynamic_cast<const TIcon *>(form.Image1->Picture());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->image().convertToFormat(QImage::Format_RGB32),
              drawProgramIcon().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(form.windowIcon().availableSizes().value(0), QSize(48, 48));

    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorrel - Thief 3 *.sch<->*.ogg/*.wav audio checker"));
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(487, 174));
    EXPECT_EQ(form.client()->size(), QSize(665, 609));
    EXPECT_GT(form.menuBar()->height(), 0);
    EXPECT_EQ(form.client()->mapTo(&form, QPoint(0, 0)), QPoint(0, form.menuBar()->height()));
    EXPECT_EQ(form.menuBar()->actions().value(0), form.Help1->action());
    EXPECT_EQ(form.Help1->Caption(), QStringLiteral("&  How to use...  "));
    form.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(form.Button3->geometry(), QRect(576, 184, 65, 65)) << "nothing moves on resize";
}

TEST_F(MainWindowTest, TabCyclesThroughTheControlsAndNeverStopsOnStaticTexts)
{
    TForm1 &form = createMainWindow();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Edit1->setFocus();
    QApplication::processEvents();

    std::vector<QWidget *> visited{QApplication::focusWidget()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, (std::vector<QWidget *>{form.Edit1, form.Edit2, form.Memo1, form.Button1, form.Button2,
                                               form.Button3, form.CheckBox1, form.CheckBox2, form.Edit1}));
}

TEST(ProgramIconTest, KeptPictureIsWhatTheGeneratorDraws)
{
    const QImage kept(QStringLiteral(VORREL_SOURCE_DIR "/icon/vorrel.png"));
    ASSERT_EQ(kept.size(), QSize(48, 48)) << "icon/vorrel.png is missing or unreadable";
    EXPECT_EQ(kept.convertToFormat(QImage::Format_RGB32), drawProgramIcon().convertToFormat(QImage::Format_RGB32))
        << "regenerate icon/vorrel.png with vorrel-make-icon";
}

TEST_F(MainWindowTest, ScanReportsTheAudioNoSchemeUsesAtEachDepth)
{
    // town.sch uses rain; sub/cave.sch uses thunder and hail.
    folder.writeFile("schemes/town.sch", "\"town ambience\"\nrain\n");
    folder.writeFile("schemes/sub/cave.sch", "\"cave drips\"\nthunder\nnot a reference\n\"storm\"\nhail\n");
    for (const char *audio : {"hail.ogg", "rain.ogg", "sub/thunder.ogg", "sub/wind.ogg"})
        folder.writeFile(std::string("audio/") + audio, "");
    folder.writeFile("Settings.ini", folder.path() + "/schemes/\n" + folder.path() + "/audio/");
    TForm1 &form = createMainWindow();
    const struct {
        bool schemesSubfolders, audioSubfolders;
        std::vector<std::string> report;
    } cases[] = {
        {false, false, {"hail", "", "Scan termined."}},
        {true, false, {"Scan termined."}},
        {false, true, {"hail", "thunder", "wind", "", "Scan termined."}},
        {true, true, {"wind", "", "Scan termined."}},
    };
    for (const auto &c : cases) {
        form.CheckBox1->SetChecked(c.schemesSubfolders);
        form.CheckBox2->SetChecked(c.audioSubfolders);
        form.Button3->click();
        EXPECT_EQ(form.Memo1->Lines().all(), c.report) << c.schemesSubfolders << c.audioSubfolders;
        EXPECT_EQ(FileSystem::posix().GetCurrentDirectoryA(), folder.path());
    }
    EXPECT_TRUE(state.errors().empty());
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
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
    int scans = 0;
    form.setScanner([&](const ScanRequest &r) {
        ++scans;
        EXPECT_EQ(std::tie(r.schemesFolder, r.audioFolder, r.schemesSubfolders, r.audioSubfolders, r.baseFolder),
                  std::make_tuple("/mods/schemes/"s, "/mods/audio/"s, false, true, folder.path()));
        EXPECT_EQ(form.Memo1->Lines().all(), std::vector<std::string>{"Scanning started, please wait."});
        EXPECT_GT(counter.paints, 0) << "the notice must be painted before the scan holds the window";
        return std::vector<std::string>{"wind", "", "Scan termined."};
    });
    form.Button3->click();
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"wind", "", "Scan termined."}));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("wind\n\nScan termined."));
}

} // namespace
