#include "icon/icon_drawing.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/process_state.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tcheckbox.h"
#include "toolkit/forms/tedit.h"
#include "toolkit/forms/ticon.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tmainmenu.h"
#include "toolkit/forms/tmemo.h"
#include "toolkit/forms/tpanel.h"

#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <tuple>

namespace {

using namespace std::string_literals;

TEST_F(MainWindowTest, EveryControlShowsItsCaptionAndOnlyScanIsBold)
{
    const std::pair<const char *, const char *> captions[] = {
        {"Panel2", "Panel2"}, {"Panel1", "Panel1"}, {"Button1", "..."}, {"Button2", "..."}, {"Button3", "SCAN"},
        {"StaticText1", "Schemes  path"}, {"StaticText2", "Audio files path"}, {"StaticText3", "Scan results:"},
        {"StaticText4", "Scan in subfolder"}, {"StaticText5", "Scan in subfolder"}};
    TForm1 &form = createMainWindow();
    for (const auto &[name, caption] : captions) {
        auto *control = dynamic_cast<TControl *>(form.FindComponent(name));
        ASSERT_NE(control, nullptr) << name;
        const auto *panel = dynamic_cast<const TPanel *>(control);
        EXPECT_EQ(panel ? panel->Caption() : qtWidget(*control)->property("text").toString().toStdString(), caption) << name;
    }
    std::vector<TControl *> controls;
    for (const TWinControl *parent : {static_cast<TWinControl *>(&form), static_cast<TWinControl *>(form.Panel1)})
        for (int i = 0; i < parent->ControlCount(); ++i)
            controls.push_back(parent->Controls(i));
    EXPECT_EQ(controls.size(), 16u);
    for (const TControl *control : controls) {
        EXPECT_EQ(qtWidget(*control)->font().bold(), control == form.Button3) << control->Name();
        EXPECT_EQ(qtWidget(*control)->font().pixelSize(), 11) << control->Name();
    }
}

TEST_F(MainWindowTest, StartsHiddenWithEmptyReadOnlyFieldsClearBoxesAndOneEmptyResultLine)
{
    folder.writeFile("Settings.ini", "/s/\n/a/");
    TForm1 &form = createMainWindow();
    EXPECT_FALSE(form.Visible()) << "the window is built hidden; the event loop shows it";
    for (TEdit *field : {form.Edit1, form.Edit2}) {
        EXPECT_EQ(field->Text(), "") << "the fields show only folders chosen in this run";
        EXPECT_TRUE(field->ReadOnly());
    }
    EXPECT_FALSE(form.CheckBox1->Checked() || form.CheckBox2->Checked());
    EXPECT_EQ(form.Memo1->Lines().all(), std::vector<std::string>{""});
    const auto *memo = qtWidgetAs<QPlainTextEdit>(*form.Memo1);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    for (TButton *button : {form.Button1, form.Button2, form.Button3})
        EXPECT_FALSE(qtWidgetAs<QPushButton>(*button)->isDefault() || qtWidgetAs<QPushButton>(*button)->autoDefault());
    const auto *icon = dynamic_cast<const TIcon *>(form.Image1->Picture());
    ASSERT_NE(icon, nullptr);
    const QImage drawn = drawProgramIcon().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(qtImage(*icon).convertToFormat(QImage::Format_RGB32), drawn);
    EXPECT_EQ(QImage(QStringLiteral(VORREL_SOURCE_DIR "/icon/vorrel.png")).convertToFormat(QImage::Format_RGB32), drawn)
        << "regenerate icon/vorrel.png with vorrel-make-icon";
    QMainWindow *window = qtWindow(form);
    EXPECT_EQ(window->windowIcon().availableSizes().value(0), QSize(48, 48));

    form.SetVisible(true);
    QApplication::processEvents();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vorrel - Thief 3 *.sch<->*.ogg/*.wav audio checker"));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(487, 174));
    EXPECT_EQ(qtChildArea(form)->size(), QSize(665, 609));
    EXPECT_GT(window->menuBar()->height(), 0);
    EXPECT_EQ(qtChildArea(form)->mapTo(window, QPoint(0, 0)), QPoint(0, window->menuBar()->height()));
    EXPECT_EQ(window->menuBar()->actions().value(0), qtAction(*form.Help1));
    EXPECT_EQ(form.Help1->Caption(), "&  How to use...  ");
    window->resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(qtWidget(*form.Button3)->geometry(), QRect(576, 184, 65, 65)) << "nothing moves on resize";
}

TEST_F(MainWindowTest, TabCyclesThroughTheControlsAndNeverStopsOnStaticTexts)
{
    TForm1 &form = createMainWindow();
    form.SetVisible(true);
    qtWindow(form)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(qtWindow(form)));
    qtWidget(*form.Edit1)->setFocus();
    QApplication::processEvents();

    std::vector<std::string> visited{QApplication::focusWidget()->objectName().toStdString()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Edit1", "Edit2", "Memo1", "Button1", "Button2", "Button3",
                                                 "CheckBox1", "CheckBox2", "Edit1"}));
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
    form.SetVisible(true);
    QApplication::processEvents();
    form.CheckBox2->SetChecked(true);
    form.Memo1->Lines().Assign({"old", "report"});

    PaintCounter counter;
    qtWidgetAs<QPlainTextEdit>(*form.Memo1)->viewport()->installEventFilter(&counter);
    int scans = 0;
    form.setScanner([&](const ScanRequest &r) {
        ++scans;
        EXPECT_EQ(std::tie(r.schemesFolder, r.audioFolder, r.schemesSubfolders, r.audioSubfolders, r.baseFolder),
                  std::make_tuple("/mods/schemes/"s, "/mods/audio/"s, false, true, folder.path()));
        EXPECT_EQ(form.Memo1->Lines().all(), std::vector<std::string>{"Scanning started, please wait."});
        EXPECT_GT(counter.paints, 0) << "the notice must be painted before the scan holds the window";
        return std::vector<std::string>{"wind", "", "Scan termined."};
    });
    form.Button3->Click();
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"wind", "", "Scan termined."}));
    EXPECT_EQ(form.Memo1->Text(), "wind\n\nScan termined.");
}

// The toolkit's real dialog, closed by the test: its titles, filters and
// owner; it opens at the folder string, or at the working folder when that
// is empty (not where the last dialog was), and writes no file of its own.
TEST_F(MainWindowTest, RealDialogsOpenWhereTheFoldersSayAndWriteNoFileOfTheirOwn)
{
    // Caches (fontconfig's) are not the program's writing: they go elsewhere.
    const EnvironmentVariableScope home("HOME", folder / "home"), config("XDG_CONFIG_HOME", folder / "home"),
        cache("XDG_CACHE_HOME", folder / "cache");
    folder.makeFolder("home");
    folder.writeFile("Settings.ini", "\n" + folder / "audio/");
    folder.makeFolder("audio");
    TForm1 &form = createMainWindow();
    const OpenDialogOverride realDialog{{}};
    std::vector<QString> shown; // title|filters|folder of each dialog
    for (TButton *button : {form.Button2, form.Button1}) {
        QTimer::singleShot(0, qtWindow(form), [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog != nullptr && dialog->parentWidget() == qtWindow(form)) << "a dialog owned by the window";
            shown.push_back(dialog->windowTitle() + '|' + dialog->nameFilters().join(';') + '|' + dialog->directory().absolutePath());
            dialog->reject();
        });
        button->Click();
    }
    const QString start = QString::fromStdString(folder.path());
    EXPECT_EQ(shown, (std::vector<QString>{"Select an audio file present in the destination folder|Audio Files(*.ogg, "
                                           "*.wav) (*.[oO][gG][gG] *.[wW][aA][vV])|" + start + "/audio",
                                           "Select a scheme file present in the destination folder|Scheme Files (*.sch) "
                                           "(*.[sS][cC][hH])|" + start}));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "home")) << "a file besides Settings.ini was written";
}

} // namespace
