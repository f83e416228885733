#include "tests/app/main_window_fixture.h"

#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tcheckbox.h"
#include "toolkit/forms/tedit.h"
#include "toolkit/forms/tmainmenu.h"
#include "toolkit/forms/tmemo.h"
#include "toolkit/forms/tpanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

namespace {

QString captionOf(const QWidget *control)
{
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *panel = dynamic_cast<const TPanel *>(control))
        return panel->Caption();
    return QString();
}

// One row of the window's layout table, bottom of the stack first.
struct ControlRow {
    const char *name;
    const char *parent;
    QRect geometry;
    const char *caption;
};

const ControlRow layoutTable[] = {
    {"Panel2", "", {0, 0, 665, 609}, "Panel2"},
    {"Panel1", "", {8, 8, 649, 593}, "Panel1"},
    {"Image1", "Panel1", {576, 344, 49, 49}, ""},
    {"CheckBox1", "Panel1", {528, 56, 17, 17}, ""},
    {"CheckBox2", "Panel1", {528, 120, 17, 17}, ""},
    {"Button1", "", {592, 32, 25, 17}, "..."},
    {"Button2", "", {592, 96, 25, 17}, "..."},
    {"Button3", "", {576, 184, 65, 65}, "SCAN"},
    {"Edit1", "", {32, 32, 521, 21}, ""},
    {"Edit2", "", {32, 96, 521, 21}, ""},
    {"Memo1", "", {32, 184, 521, 369}, ""},
    {"StaticText1", "", {32, 16, 75, 17}, "Schemes  path"},
    {"StaticText2", "", {32, 80, 76, 17}, "Audio files path"},
    {"StaticText3", "", {32, 168, 65, 17}, "Scan results:"},
    {"StaticText4", "", {448, 128, 86, 17}, "Scan in subfolder"},
    {"StaticText5", "", {448, 64, 86, 17}, "Scan in subfolder"},
};

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
    TForm1 &form = createMainWindow();
    std::vector<QString> windowStack;
    std::vector<QString> panelStack;
    for (const ControlRow &row : layoutTable) {
        SCOPED_TRACE(row.name);
        auto *control = form.findChild<QWidget *>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        const bool onPanel = *row.parent != '\0';
        EXPECT_EQ(control->parentWidget(), onPanel ? static_cast<QWidget *>(form.Panel1) : form.client());
        (onPanel ? panelStack : windowStack).push_back(control->objectName());
        EXPECT_EQ(control->geometry(), row.geometry);
        EXPECT_EQ(captionOf(control), QString::fromUtf8(row.caption));
        EXPECT_EQ(control->font().bold(), control == form.Button3) << "SCAN is the only bold control";
        EXPECT_EQ(control->font().pixelSize(), 11);
    }
    EXPECT_EQ(stackOf(form.client()), windowStack);
    EXPECT_EQ(stackOf(form.Panel1), panelStack);
}

TEST_F(MainWindowTest, WindowHasItsCaptionPlaceAndClientSizeUnderTheMenu)
{
    TForm1 &form = createMainWindow();
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vorrel - Thief 3 *.sch<->*.ogg/*.wav audio checker"));
    EXPECT_EQ(form.client()->size(), QSize(665, 609));
    EXPECT_GT(form.menuBar()->height(), 0);
    EXPECT_EQ(form.client()->mapTo(&form, QPoint(0, 0)), QPoint(0, form.menuBar()->height()));
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(487, 174));

    form.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(form.Button3->geometry(), QRect(576, 184, 65, 65)) << "nothing moves on resize";
}

TEST_F(MainWindowTest, StartsWithEmptyReadOnlyFieldsClearBoxesAndOneEmptyResultLine)
{
    TForm1 &form = createMainWindow();
    EXPECT_FALSE(form.isVisible()) << "the window is built hidden; the event loop shows it";
    for (TEdit *field : {form.Edit1, form.Edit2}) {
        EXPECT_EQ(field->Text(), "");
        EXPECT_TRUE(field->isReadOnly());
    }
    EXPECT_FALSE(form.CheckBox1->Checked());
    EXPECT_FALSE(form.CheckBox2->Checked());
    EXPECT_EQ(form.Memo1->Lines().all(), std::vector<std::string>{""});
    EXPECT_TRUE(form.Memo1->isReadOnly());
    EXPECT_EQ(form.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    for (TButton *button : {form.Button1, form.Button2, form.Button3})
        EXPECT_FALSE(button->isDefault() || button->autoDefault());
}

TEST_F(MainWindowTest, MenuHasItsCaptionsAsTheyStand)
{
    TForm1 &form = createMainWindow();
    ASSERT_EQ(form.MainMenu1->Count(), 1);
    EXPECT_EQ(form.Help1->Caption(), QStringLiteral("&  How to use...  "));
    EXPECT_EQ(form.menuBar()->actions().value(0), form.Help1->action());
    ASSERT_EQ(form.Help1->Count(), 2);
    EXPECT_EQ(form.Help1->Items(0), form.SearchforHelpOn1);
    EXPECT_EQ(form.SearchforHelpOn1->Caption(), QStringLiteral("&How To..."));
    EXPECT_EQ(form.Help1->Items(1), form.About1);
    EXPECT_EQ(form.About1->Caption(), QStringLiteral("&About..."));
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
    const std::vector<QWidget *> expected{form.Edit1,   form.Edit2,     form.Memo1,     form.Button1, form.Button2,
                                          form.Button3, form.CheckBox1, form.CheckBox2, form.Edit1};
    EXPECT_EQ(visited, expected);
}

} // namespace
