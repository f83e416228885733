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

TEST_F(MainWindowTest, EveryControlShowsItsCaptionAndOnlyScanIsBold)
{
    const std::pair<const char *, const char *> captions[] = {
        {"Panel2", "Panel2"}, {"Panel1", "Panel1"}, {"Button1", "..."}, {"Button2", "..."}, {"Button3", "SCAN"},
        {"StaticText1", "Schemes  path"}, {"StaticText2", "Audio files path"}, {"StaticText3", "Scan results:"},
        {"StaticText4", "Scan in subfolder"}, {"StaticText5", "Scan in subfolder"}};
    TForm1 &form = createMainWindow();
    for (const auto &[name, caption] : captions) {
        auto *control = form.findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        const auto *panel = dynamic_cast<const TPanel *>(control);
        EXPECT_EQ(panel ? panel->Caption() : control->property("text").toString(), QString::fromUtf8(caption)) << name;
    }
    QList<QWidget *> controls = form.client()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    controls += form.Panel1->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(controls.size(), 16);
    for (const QWidget *control : controls) {
        EXPECT_EQ(control->font().bold(), control == form.Button3) << control->objectName().toStdString();
        EXPECT_EQ(control->font().pixelSize(), 11) << control->objectName().toStdString();
    }
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
    const QImage drawn = drawProgramIcon().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(icon->image().convertToFormat(QImage::Format_RGB32), drawn);
    EXPECT_EQ(QImage(QStringLiteral(VORREL_SOURCE_DIR "/icon/vorrel.png")).convertToFormat(QImage::Format_RGB32), drawn)
        << "regenerate icon/vorrel.png with vorrel-make-icon";
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
