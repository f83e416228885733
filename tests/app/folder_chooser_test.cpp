#include "app/folder_chooser.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tedit.h"

#include <QApplication>

namespace {

TEST(FolderOfFileTest, CutsBackToTheLastSeparatorAndKeepsIt)
{
    EXPECT_EQ(folderOfFile("/home/me/sounds/town.sch"), "/home/me/sounds/");
    EXPECT_EQ(folderOfFile("/town.sch"), "/");
    EXPECT_EQ(folderOfFile("/home/me/"), "/home/me/");
    EXPECT_EQ(folderOfFile("town.sch"), "");
    EXPECT_EQ(folderOfFile(""), "");
}

TEST_F(MainWindowTest, FirstRunThenSchemesThenAudio)
{
    const std::string schemes = folder.makeFolder("my schemes");
    const std::string audio = folder.makeFolder("my audio");
    TForm1 &form = createMainWindow();
    EXPECT_EQ(form.schemesFolder(), folder.path());
    EXPECT_EQ(form.audioFolder(), folder.path());
    EXPECT_EQ(settingsText(), "<missing>") << "nothing is written at start";

    answers = {schemes + "/town.sch"};
    form.Button1->click();
    EXPECT_EQ(form.schemesFolder(), schemes + "/");
    EXPECT_EQ(form.Edit1->Text(), schemes + "/");
    EXPECT_EQ(form.Edit2->Text(), "");
    EXPECT_EQ(settingsText(), schemes + "/\n");

    {
        const TForm1 nextStart;
        EXPECT_EQ(nextStart.schemesFolder(), schemes + "/");
        EXPECT_EQ(nextStart.audioFolder(), "");
        EXPECT_EQ(nextStart.Edit1->Text(), "") << "the fields show only folders chosen in this run";
    }

    answers = {audio + "/rain.ogg"};
    form.Button2->click();
    EXPECT_EQ(form.Edit2->Text(), audio + "/");
    EXPECT_EQ(settingsText(), schemes + "/\n" + audio + "/");
    EXPECT_TRUE(state.errors().boxes().empty());
}

TEST_F(MainWindowTest, DialogsOpenAtTheFolderWithTheirTitlesAndFilters)
{
    folder.writeFile("Settings.ini", "/schemes here/\n/audio here/");
    TForm1 &form = createMainWindow();
    form.Button1->click();
    form.Button2->click();
    ASSERT_EQ(dialogTitles.size(), 2u);
    EXPECT_EQ(dialogTitles[0], "Select a scheme file present in the destination folder");
    EXPECT_EQ(dialogFilters[0], "Scheme Files (*.sch)|*.sch");
    EXPECT_EQ(dialogFolders[0], "/schemes here/");
    EXPECT_EQ(dialogTitles[1], "Select an audio file present in the destination folder");
    EXPECT_EQ(dialogFilters[1], "Audio Files(*.ogg, *.wav)|*.ogg;*.wav");
    EXPECT_EQ(dialogFolders[1], "/audio here/");
}

TEST_F(MainWindowTest, CancelledDialogChangesNothingButStillRewritesTheFile)
{
    TForm1 &form = createMainWindow();
    form.Button1->click(); // no answer: Cancel
    EXPECT_EQ(form.schemesFolder(), folder.path());
    EXPECT_EQ(form.Edit1->Text(), "");
    EXPECT_EQ(settingsText(), folder.path() + "\n");

    form.Button2->click();
    EXPECT_EQ(settingsText(), folder.path() + "\n" + folder.path());
}

TEST_F(MainWindowTest, SchemesButtonKeepsTheAudioLineAsItStandsInTheFile)
{
    folder.writeFile("Settings.ini", "/old schemes/\n/audio/\n");
    TForm1 &form = createMainWindow();
    EXPECT_EQ(form.audioFolder(), "/audio/") << "the line end of a hand-edited file is no part of the folder";
    answers = {"/new schemes/a.sch"};
    form.Button1->click();
    EXPECT_EQ(settingsText(), "/new schemes/\n/audio/\n");
}

TEST_F(MainWindowTest, PercentSignInAFolderIsStoredUnchanged)
{
    TForm1 &form = createMainWindow();
    answers = {"/mods/100% done %s %n/town.sch", "/mods/%d%%/rain.ogg"};
    form.Button1->click();
    form.Button2->click();
    EXPECT_EQ(settingsText(), "/mods/100% done %s %n/\n/mods/%d%%/");
    EXPECT_EQ(form.Edit1->Text(), "/mods/100% done %s %n/");
}

TEST_F(MainWindowTest, FilePickedAtTheRootGivesTheRootFolder)
{
    TForm1 &form = createMainWindow();
    answers = {"/town.sch"};
    form.Button1->click();
    EXPECT_EQ(form.schemesFolder(), "/");
    EXPECT_EQ(form.Edit1->Text(), "/");
    EXPECT_EQ(settingsText(), "/\n");
}

TEST_F(MainWindowTest, SettingsStayInTheStartFolderWhateverTheDialogDid)
{
    TForm1 &form = createMainWindow();
    dialogChangesWorkingFolder = true;
    answers = {"/mods/schemes/town.sch"};
    form.Button1->click();
    EXPECT_EQ(currentWorkingFolder(), folder.path()) << "the working folder is changed back after the dialog";
    EXPECT_EQ(settingsText(), "/mods/schemes/\n");

    // Even when the working folder is elsewhere when the button is used.
    ASSERT_EQ(::chdir("/"), 0);
    answers = {"/mods/audio/rain.ogg"};
    form.Button2->click();
    EXPECT_EQ(settingsText(), "/mods/schemes/\n/mods/audio/");
    EXPECT_EQ(TestFolder::readFile("/Settings.ini"), "<missing>");
}

TEST_F(MainWindowTest, SettingsFileThatCannotBeWrittenShowsNoError)
{
    folder.makeFolder("Settings.ini"); // cannot be opened as a file, even by root
    TForm1 &form = createMainWindow();
    answers = {"/mods/schemes/town.sch"};
    form.Button1->click();
    EXPECT_EQ(form.Edit1->Text(), "/mods/schemes/") << "the choice itself still counts for this run";
    EXPECT_EQ(form.schemesFolder(), "/mods/schemes/");
    EXPECT_TRUE(state.errors().boxes().empty());
}

} // namespace
