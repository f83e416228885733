#include "app/folder_settings.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tedit.h"

#include <filesystem>

namespace {

using namespace std::string_literals;

struct LoadCase {
    const char *name;
    std::string content;
    std::string schemes;
    std::string audio;
};

void PrintTo(const LoadCase &c, std::ostream *out) { *out << c.name; }

class LoadSettingsTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadSettingsTest, TakesBothLinesWithoutTheirLineEnds)
{
    const TestFolder folder;
    folder.writeFile("Settings.ini", GetParam().content);
    FolderStrings folders{"untouched", "untouched"};
    loadSettings(folder.path(), folders);
    EXPECT_EQ(folders.schemesFolder, GetParam().schemes);
    EXPECT_EQ(folders.audioFolder, GetParam().audio);
}

const std::string longFolder = "/" + std::string(3000, 'a') + "/";

INSTANTIATE_TEST_SUITE_P(
    Contents, LoadSettingsTest,
    ::testing::Values(LoadCase{"SchemesLineOnly", "/s/\n", "/s/", ""},
                      LoadCase{"OnlyLineWithoutLineEndKeepsItsLastCharacter", "/s/", "/s/", ""},
                      LoadCase{"AudioLineWithoutLineEndKeptWhole", "/s/\n/a/", "/s/", "/a/"},
                      LoadCase{"AudioLineEndDropped", "/s/\n/a/\n", "/s/", "/a/"},
                      LoadCase{"CarriageReturnLineEnds", "/s/\r\n/a/\r\n", "/s/", "/a/"},
                      LoadCase{"LoneCarriageReturnIsText", "/s/\r", "/s/\r", ""},
                      LoadCase{"EmptyFile", "", "", ""},
                      LoadCase{"EmptyFirstLine", "\n/a/", "", "/a/"},
                      LoadCase{"FurtherLinesIgnored", "/s/\n/a/\n/other/\n", "/s/", "/a/"},
                      LoadCase{"LongLinesStayWhole", longFolder + "\n" + longFolder, longFolder, longFolder},
                      LoadCase{"ZeroByteEndsTheLine", "/s\0junk/\n/a/"s, "/s", "/a/"}),
    [](const ::testing::TestParamInfo<LoadCase> &info) { return std::string(info.param.name); });

TEST(LoadSettingsTest, MissingOrUnreadableFileIsNeverCreatedAndChangesNothing)
{
    const TestFolder folder;
    FolderStrings folders;
    loadSettings(folder.path(), folders);
    EXPECT_EQ(folders.schemesFolder, folder.path()) << "without the file both folders are the working folder";
    EXPECT_EQ(folders.audioFolder, folder.path());
    EXPECT_EQ(TestFolder::readFile(folder / "Settings.ini"), "<missing>");
    folder.makeFolder("Settings.ini"); // opens here but fails on the first read
    folders = {"/kept/", "/also kept/"};
    loadSettings(folder.path(), folders);
    EXPECT_EQ(folders.schemesFolder, "/kept/");
    EXPECT_EQ(folders.audioFolder, "/also kept/");
}

struct SaveCase {
    const char *name;
    std::optional<std::string> before; // nothing: no Settings.ini
    FolderKind kind;
    std::string after;
};

void PrintTo(const SaveCase &c, std::ostream *out) { *out << c.name; }

class SaveSettingsTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveSettingsTest, RewritesOneLineAndKeepsTheOther)
{
    const TestFolder folder;
    if (GetParam().before)
        folder.writeFile("Settings.ini", *GetParam().before);
    saveSettings(folder.path(), GetParam().kind, FolderStrings{"/new s/", "/new a/"});
    EXPECT_EQ(TestFolder::readFile(folder / "Settings.ini"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveSettingsTest,
    ::testing::Values(
        SaveCase{"SchemesCreates", std::nullopt, FolderKind::Schemes, "/new s/\n"},
        SaveCase{"AudioCreatesWithEmptyFirstLine", std::nullopt, FolderKind::Audio, "\n/new a/"},
        SaveCase{"SchemesKeepsSecondLineAsItStands", "/s/\n/a/\n", FolderKind::Schemes, "/new s/\n/a/\n"},
        SaveCase{"SchemesKeepsSecondLineWithoutEnd", "/s/\n/a/", FolderKind::Schemes, "/new s/\n/a/"},
        SaveCase{"SchemesWithoutSecondLine", "/s/\n", FolderKind::Schemes, "/new s/\n"},
        SaveCase{"AudioKeepsCarriageReturnOfFirstLine", "/s/\r\n/a/", FolderKind::Audio, "/s/\r\n/new a/"},
        SaveCase{"AudioIntoEmptyFile", "", FolderKind::Audio, "\n/new a/"},
        SaveCase{"AudioAfterFirstLineWithoutEnd", "/s/", FolderKind::Audio, "/s/\n/new a/"}),
    [](const ::testing::TestParamInfo<SaveCase> &info) { return std::string(info.param.name); });

TEST(SaveSettingsTest, SettingsThatCannotBeReadAreNotRewritten)
{
    const TestFolder folder;
    folder.makeFolder("Settings.ini");
    saveSettings(folder.path(), FolderKind::Schemes, FolderStrings{"/s/", "/a/"});
    saveSettings(folder.path(), FolderKind::Audio, FolderStrings{"/s/", "/a/"});
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Settings.ini")) << "nothing may replace what could not be read";
}

struct ChoiceCase {
    const char *name;
    bool settingsUnwritable;
    std::optional<std::string> schemesAnswer, audioAnswer; // nothing: Cancel
    std::string edit1, edit2, after; // '@' stands for the start folder
};

void PrintTo(const ChoiceCase &c, std::ostream *out) { *out << c.name; }

class FolderChoiceTest : public MainWindowTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(FolderChoiceTest, EachDialogRewritesTheSettingsWithoutErrors)
{
    if (GetParam().settingsUnwritable)
        folder.makeFolder("Settings.ini"); // cannot be opened as a file, even by root
    TForm1 &form = createMainWindow();
    EXPECT_EQ(settingsText(), GetParam().settingsUnwritable ? "" : "<missing>") << "nothing is written at start";
    answers = {GetParam().schemesAnswer, GetParam().audioAnswer};
    form.Button1->click();
    form.Button2->click();
    std::string after = GetParam().after;
    for (auto at = after.find('@'); at != std::string::npos; at = after.find('@'))
        after.replace(at, 1, folder.path());
    EXPECT_EQ(form.Edit1->Text(), GetParam().edit1);
    EXPECT_EQ(form.Edit2->Text(), GetParam().edit2);
    EXPECT_EQ(settingsText(), after);
    if (!GetParam().settingsUnwritable) {
        EXPECT_EQ(dialogFolders, (std::vector<std::string>{folder.path(), folder.path()}));
    }
    EXPECT_EQ(dialogFilters,
              (std::vector<std::string>{"Scheme Files (*.sch)|*.sch", "Audio Files(*.ogg, *.wav)|*.ogg;*.wav"}));
    EXPECT_TRUE(state.errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FolderChoiceTest,
    ::testing::Values(
        ChoiceCase{"FirstRunSchemesThenAudio", false, "/my s/town.sch", "/my a/rain.ogg", "/my s/", "/my a/",
                   "/my s/\n/my a/"},
        ChoiceCase{"CancelledStillRewrites", false, std::nullopt, std::nullopt, "", "", "@\n@"},
        ChoiceCase{"PercentAndRootStayAsTheyAre", false, "/100% done %s %n/town.sch", "/rain.ogg",
                   "/100% done %s %n/", "/", "/100% done %s %n/\n/"},
        ChoiceCase{"UnwritableSettingsStillTakeTheChoice", true, "/m/town.sch", std::nullopt, "/m/", "", ""}),
    [](const ::testing::TestParamInfo<ChoiceCase> &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, SettingsStayInTheStartFolderWhateverTheDialogDid)
{
    TForm1 &form = createMainWindow();
    dialogChangesWorkingFolder = true;
    answers = {"/mods/schemes/town.sch"};
    form.Button1->click();
    EXPECT_EQ(currentWorkingFolder(), folder.path()) << "the working folder is changed back after the dialog";
    EXPECT_EQ(settingsText(), "/mods/schemes/\n");

    ASSERT_EQ(::chdir("/"), 0);
    answers = {"/mods/audio/rain.ogg"};
    form.Button2->click();
    EXPECT_EQ(settingsText(), "/mods/schemes/\n/mods/audio/");
    EXPECT_EQ(TestFolder::readFile("/Settings.ini"), "<missing>");
}

} // namespace
