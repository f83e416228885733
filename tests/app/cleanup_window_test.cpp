#include "app/cleanup/move_unused_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tmainmenu.h"
#include "toolkit/forms/tmemo.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
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
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    TMenuItem *menu = form.cleanUpMenu();
    EXPECT_EQ(form.menuBar()->actions(),
              (QList<QAction *>{form.Help1->action(), menu->action(), form.foldersMenu()->action()}));
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Items(0)->Caption(), QStringLiteral("&Move unused sounds..."));
    EXPECT_EQ(menu->Items(1)->Caption(), QStringLiteral("&Restore moved sounds..."));
    EXPECT_EQ(menu->Items(2)->Caption(), QStringLiteral("Missing &sounds..."));
    EXPECT_FALSE(menu->Items(0)->action()->isEnabled()) << "nothing to move before a scan";

    form.Button3->click();
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"door", "hum", "", "Scan termined."}));
    ASSERT_TRUE(menu->Items(0)->action()->isEnabled());

    std::vector<std::string> opened;
    const ShellHandlerOverride recordShell([&](const ShellRequest &request) { opened.push_back(request.file); });
    const std::string quarantine = folder / "q";
    whenModalOpens<MoveUnusedDialog>([&](MoveUnusedDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Move unused sounds"));
        const auto *firstLine = qobject_cast<QLabel *>(dialog.layout()->itemAt(0)->widget());
        ASSERT_NE(firstLine, nullptr);
        EXPECT_EQ(firstLine->text().toStdString(), "Schemes: " + folder / "s/" + "    Audio: " + folder / "a/");
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTableView *view = dialog.view();
        ASSERT_EQ(view->model()->rowCount(), 2);
        const QModelIndex door = view->model()->index(0, 0);
        EXPECT_EQ(door.data(Qt::CheckStateRole), Qt::Unchecked) << "near misses start unticked";
        EXPECT_NE(door.data(Qt::ToolTipRole).toString().indexOf(QStringLiteral("\"Door\"")), -1);
        EXPECT_EQ(view->model()->index(1, 0).data(Qt::CheckStateRole), Qt::Checked);
        const QRect row = view->visualRect(view->model()->index(1, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
        dialog.quarantineFolderField()->setText(QString::fromStdString(quarantine));
        whenModalOpens<QMessageBox>([](QMessageBox &box) {
            EXPECT_NE(box.text().indexOf(QStringLiteral("Moved 1 files (3 bytes)")), -1) << box.text().toStdString();
            QTest::keyClick(&box, Qt::Key_Return);
        });
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Return);
    });
    QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    QMenu *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr) << "Alt+C opens the menu";
    QTest::keyClick(popup, Qt::Key_M);

    EXPECT_EQ(opened, std::vector<std::string>{folder / "a/hum.ogg"});
    EXPECT_FALSE(std::filesystem::exists(folder / "a/hum.ogg"));
    EXPECT_EQ(TestFolder::readFile(folder / "q/hum.ogg"), "hum");
    EXPECT_TRUE(std::filesystem::exists(folder / "q/vorrel-moved-sounds.json"));
    EXPECT_EQ(form.Memo1->Lines().all(), (std::vector<std::string>{"door", "", "Scan termined."}));
}

} // namespace
