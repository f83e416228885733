#include "app/cleanup/qt/move_unused_dialog.h"
#include "app/cleanup/qt/restore_moved_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tmainmenu.h"
#include "toolkit/forms/tmemo.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QScreen>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// Runs `step` on the modal window that the next event loop opens.
template <typename Window>
void whenModalOpens(std::function<void(Window &)> step)
{
    QTimer::singleShot(0, [step = std::move(step)] {
        auto *window = dynamic_cast<Window *>(QApplication::activeModalWidget());
        if (!window) {
            ADD_FAILURE() << "no modal window";
            return;
        }
        step(*window);
    });
}

TEST_F(MainWindowTest, CleanUpMenuMovesTheTickedSoundsFromTheKeyboardAndScansAgain)
{
    folder.writeFile("s/a.sch", "\"s\"\nused\n\"t\"\nDoor\n");
    folder.writeFile("a/used.ogg", "u");
    folder.writeFile("a/hum.ogg", "hum");
    folder.writeFile("a/door.ogg", "near");
    folder.writeFile("Settings.ini", folder / "s/" + "\n" + folder / "a/");
    TForm1 &form = createMainWindow();
    QMainWindow *window = qtWindow(form);
    form.SetVisible(true);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    TMenuItem *menu = form.cleanUpMenu();
    EXPECT_EQ(window->menuBar()->actions(),
              (QList<QAction *>{qtAction(*form.Help1), qtAction(*menu), qtAction(*form.foldersMenu())}));
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Items(0)->Caption(), "&Move unused sounds...");
    EXPECT_EQ(menu->Items(1)->Caption(), "&Restore moved sounds...");
    EXPECT_EQ(menu->Items(2)->Caption(), "Missing &sounds...");
    EXPECT_FALSE(qtAction(*menu->Items(0))->isEnabled()) << "nothing to move before a scan";

    form.Button3->Click();
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"door", "hum", "", "Scan termined."}));
    ASSERT_TRUE(qtAction(*menu->Items(0))->isEnabled());

    std::vector<std::string> opened;
    const ShellHandlerOverride recordShell([&](const ShellRequest &request) { opened.push_back(request.file); });
    const std::string quarantine = folder / "q";
    whenModalOpens<MoveUnusedDialog>([&](MoveUnusedDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Move unused sounds"));
        const auto *firstLine = qobject_cast<QLabel *>(dialog.layout()->itemAt(0)->widget());
        ASSERT_NE(firstLine, nullptr);
        EXPECT_EQ(firstLine->text().toStdString(), "Schemes: " + folder / "s/" + "    Audio: " + folder / "a/");
        const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel *l) { return l->text() == "Keep list: none"; }));
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTableView *view = dialog.view();
        ASSERT_EQ(view->model()->rowCount(), 2);
        const auto ticks = [view] {
            return std::vector<QVariant>{view->model()->index(0, 0).data(Qt::CheckStateRole),
                                         view->model()->index(1, 0).data(Qt::CheckStateRole)};
        };
        EXPECT_EQ(ticks(), (std::vector<QVariant>{Qt::Unchecked, Qt::Checked})) << "near misses start unticked";
        EXPECT_EQ(view->model()->index(0, 2).data().toString(), QStringLiteral("\"Door\" in a.sch, line 4"));
        EXPECT_NE(view->model()->index(0, 0).data(Qt::ToolTipRole).toString().indexOf(QStringLiteral("\"Door\"")), -1);
        view->setFocus();
        view->selectAll();
        QTest::keyClick(view, Qt::Key_Space);
        EXPECT_EQ(ticks(), (std::vector<QVariant>{Qt::Checked, Qt::Checked})) << "Space ticks the selected rows";
        QTest::keyClick(view, Qt::Key_Space);
        EXPECT_EQ(ticks(), (std::vector<QVariant>{Qt::Unchecked, Qt::Unchecked})) << "and clears them together";
        dialog.tickAllBox()->click();
        EXPECT_EQ(ticks(), (std::vector<QVariant>{Qt::Checked, Qt::Checked}));
        view->selectRow(0);
        QTest::keyClick(view, Qt::Key_Space);
        EXPECT_EQ(dialog.tickAllBox()->checkState(), Qt::PartiallyChecked);
        const QRect row = view->visualRect(view->model()->index(1, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
        dialog.quarantineFolderField()->setText(QString::fromStdString(quarantine));
        whenModalOpens<QMessageBox>([](QMessageBox &box) {
            EXPECT_NE(box.text().indexOf(QStringLiteral("Moved 1 file (3 bytes)")), -1) << box.text().toStdString();
            QTest::keyClick(&box, Qt::Key_Return);
        });
        QTest::keyClick(view, Qt::Key_Return);
    });
    QTest::keyClick(window, Qt::Key_C, Qt::AltModifier);
    QMenu *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr) << "Alt+C opens the menu";
    QTest::keyClick(popup, Qt::Key_M);

    EXPECT_EQ(opened, std::vector<std::string>{folder / "a/hum.ogg"});
    EXPECT_FALSE(std::filesystem::exists(folder / "a/hum.ogg"));
    EXPECT_EQ(TestFolder::readFile(folder / "q/hum.ogg"), "hum");
    EXPECT_TRUE(std::filesystem::exists(folder / "q/vorrel-moved-sounds.json"));
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"door", "", "Scan termined."}));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    whenModalOpens<RestoreMovedDialog>([&](RestoreMovedDialog &dialog) {
        EXPECT_EQ(dialog.manifestField()->text().toStdString(), folder / "q/vorrel-moved-sounds.json");
        QTest::keyClick(dialog.manifestField(), Qt::Key_Return);
        EXPECT_EQ(dialog.summary()->toPlainText(), QStringLiteral("Restored 1 file (3 bytes), 0 conflicts, 0 failed."));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QTest::keyClick(window, Qt::Key_C, Qt::AltModifier);
    popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_R);
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"door", "hum", "", "Scan termined."}))
        << "the main window scans again after a restore";
}

TEST_F(MainWindowTest, RestoreWindowWrapsAnUnreadableManifestsErrorWithinTheScreen)
{
    std::string manifest = folder.path();
    for (int level = 0; level < 80; ++level)
        manifest += "/a_rather_long_folder_name_" + std::to_string(level);
    manifest += "/vorrel-moved-sounds.json";
    RestoreMovedDialog dialog(QString::fromStdString(manifest), nullptr);
    dialog.show();
    QTest::keyClick(dialog.manifestField(), Qt::Key_Return);
    const QString summary = dialog.summary()->toPlainText();
    EXPECT_NE(summary.indexOf(QString::fromStdString(manifest)), -1) << summary.toStdString();
    const QSize screen = dialog.screen()->availableGeometry().size();
    EXPECT_LE(dialog.width(), screen.width());
    QApplication::processEvents();
    EXPECT_EQ(dialog.summary()->horizontalScrollBar()->maximum(), 0) << "the path wraps within the window";
}

} // namespace
