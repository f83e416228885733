#include "app/folder_settings.h"
#include "tests/app/main_window_fixture.h"
#include "toolkit/filesystem/file_replacement.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tedit.h"
#include "toolkit/forms/tfolderdialog.h"
#include "toolkit/forms/tmainmenu.h"

#include <filesystem>

namespace {

using namespace std::string_literals;

TEST(LoadSettingsTest, TakesBothLinesWithoutTheirLineEndsAndAnUnreadableFileChangesNothing)
{
    const std::string longFolder = "/" + std::string(3000, 'a') + "/";
    const struct {
        std::string content, schemes, audio;
    } cases[] = {
        {"/s/\n", "/s/", ""},
        {"/s/", "/s/", ""}, // an only line without a line end keeps its last character
        {"/s/\n/a/", "/s/", "/a/"},
        {"/s/\n/a/\n", "/s/", "/a/"},
        {"/s/\r\n/a/\r\n", "/s/", "/a/"},
        {"/s/\r", "/s/\r", ""}, // a lone carriage return is text
        {"", "", ""},
        {"\n/a/", "", "/a/"},
        {"/s/\n/a/\n/other/\n", "/s/", "/a/"},
        {longFolder + "\n" + longFolder, longFolder, longFolder},
        {"/s\0junk/\n/a/"s, "/s", "/a/"},
    };
    const TestFolder folder;
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        folder.writeFile("Settings.ini", c.content);
        FolderStrings folders{"untouched", "untouched"};
        loadSettings(folder.path(), folders);
        EXPECT_EQ(folders.schemesFolder, c.schemes);
        EXPECT_EQ(folders.audioFolder, c.audio);
    }
    // Opens, but fails on the first read: nothing changes.
    std::filesystem::remove(folder / "Settings.ini");
    folder.makeFolder("Settings.ini");
    FolderStrings folders{"/kept/", "/also kept/"};
    loadSettings(folder.path(), folders);
    EXPECT_EQ(std::pair(folders.schemesFolder, folders.audioFolder), std::pair("/kept/"s, "/also kept/"s));
}

TEST(SaveSettingsTest, RewritesOneLineAndKeepsTheOther)
{
    const struct {
        std::optional<std::string> before; // nothing: no Settings.ini
        FolderKind kind;
        std::string after;
    } cases[] = {
        {std::nullopt, FolderKind::Schemes, "/new s/\n"},
        {std::nullopt, FolderKind::Audio, "\n/new a/"},
        {"/s/\n/a/\n", FolderKind::Schemes, "/new s/\n/a/\n"},
        {"/s/\n/a/", FolderKind::Schemes, "/new s/\n/a/"},
        {"/s/\n", FolderKind::Schemes, "/new s/\n"},
        {"/s/\r\n/a/", FolderKind::Audio, "/s/\r\n/new a/"},
        {"", FolderKind::Audio, "\n/new a/"},
        {"/s/", FolderKind::Audio, "/s/\n/new a/"},
    };
    const TestFolder folder;
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        std::filesystem::remove(folder / "Settings.ini");
        if (c.before)
            folder.writeFile("Settings.ini", *c.before);
        saveSettings(folder.path(), c.kind, FolderStrings{"/new s/", "/new a/"});
        EXPECT_EQ(TestFolder::readFile(folder / "Settings.ini"), c.after);
    }
}

TEST(SaveSettingsTest, FailedWriteOrRenameKeepsTheOldFileAndALinkStaysALink)
{
    const TestFolder folder;
    // The machine's operations, or with the write cut off halfway, or the rename refused.
    struct Failing : FileOperations {
        int step;
        explicit Failing(int failingStep) : step(failingStep) {}
        std::error_code rewriteTail(const std::string &path, std::uintmax_t offset, std::string_view tail,
                                    bool createNew) const override
        {
            const std::error_code error = FileOperations::rewriteTail(path, offset, step == 1 ? tail.substr(0, tail.size() / 2) : tail, createNew);
            return step == 1 ? std::make_error_code(std::errc::no_space_on_device) : error;
        }
        std::error_code renameReplacing(const std::string &from, const std::string &to) const override
        {
            return step == 2 ? std::make_error_code(std::errc::no_space_on_device) : FileOperations::renameReplacing(from, to);
        }
    };
    const Failing failures[] = {Failing(0), Failing(1), Failing(2)};
    for (const bool linked : {false, true})
        for (const Failing &calls : failures) {
            SCOPED_TRACE(std::to_string(linked) + " linked, case " + std::to_string(&calls - failures));
            std::filesystem::remove_all(folder.path());
            const std::string file = linked ? "real/Settings.ini" : "Settings.ini";
            folder.writeFile(file, "/s/\n/a/");
            if (linked)
                std::filesystem::create_symlink(file, folder / "Settings.ini");
            {
                const FileReplacementOverride failing(calls);
                saveSettings(folder.path(), FolderKind::Schemes, FolderStrings{"/new s/", ""});
            }
            EXPECT_EQ(TestFolder::readFile(folder / file), &calls == failures ? "/new s/\n/a/" : "/s/\n/a/");
            EXPECT_EQ(std::filesystem::is_symlink(folder / "Settings.ini"), linked);
            // No temporary file is left beside the file or its link.
            EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(folder.path()), {}), linked ? 3 : 1);
        }
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
    const ChoiceCase &c = GetParam();
    if (c.settingsUnwritable)
        folder.makeFolder("Settings.ini"); // cannot be opened as a file, even by root
    TForm1 &form = createMainWindow();
    EXPECT_EQ(settingsText(), c.settingsUnwritable ? "" : "<missing>") << "nothing is written at start";
    answers = {c.schemesAnswer, c.audioAnswer};
    form.Button1->Click();
    form.Button2->Click();
    std::string after = c.after;
    for (auto at = after.find('@'); at != std::string::npos; at = after.find('@'))
        after.replace(at, 1, folder.path());
    EXPECT_EQ(form.Edit1->Text(), c.edit1);
    EXPECT_EQ(form.Edit2->Text(), c.edit2);
    EXPECT_EQ(settingsText(), after);
    if (!c.settingsUnwritable) {
        EXPECT_EQ(dialogFolders, (std::vector<std::string>{folder.path(), folder.path()}));
    }
    EXPECT_TRUE(state.errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, FolderChoiceTest,
    ::testing::Values(ChoiceCase{"FirstRunSchemesThenAudio", false, "/my s/town.sch", "/my a/rain.ogg", "/my s/",
                                 "/my a/", "/my s/\n/my a/"},
                      ChoiceCase{"CancelledStillRewrites", false, std::nullopt, std::nullopt, "", "", "@\n@"},
                      ChoiceCase{"PercentAndRootStayAsTheyAre", false, "/100% done %s %n/town.sch", "/rain.ogg",
                                 "/100% done %s %n/", "/", "/100% done %s %n/\n/"},
                      ChoiceCase{"UnwritableSettingsStillTakeTheChoice", true, "/m/town.sch", std::nullopt, "/m/",
                                 "", ""}),
    [](const ::testing::TestParamInfo<ChoiceCase> &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, SettingsStayInTheStartFolderWhateverTheDialogDid)
{
    TForm1 &form = createMainWindow();
    dialogChangesWorkingFolder = true;
    answers = {"/mods/schemes/town.sch"};
    form.Button1->Click();
    EXPECT_EQ(FileSystem::native().GetCurrentDirectoryA(), folder.path()) << "the working folder is changed back after the dialog";
    EXPECT_EQ(settingsText(), "/mods/schemes/\n");
    ASSERT_EQ(::chdir("/"), 0);
    answers = {"/mods/audio/rain.ogg"};
    form.Button2->Click();
    EXPECT_EQ(settingsText(), "/mods/schemes/\n/mods/audio/");
    EXPECT_EQ(TestFolder::readFile("/Settings.ini"), "<missing>");
}

// The Folders menu chooses folders that hold only subfolders, as "..."
// would through a file, and shows the folders a scan reads.
TEST_F(MainWindowTest, FoldersMenuChoosesBothFoldersAndShowsTheRememberedOnes)
{
    folder.writeFile("Settings.ini", "/old s/\n/old a/");
    TForm1 &form = createMainWindow();
    TMenuItem *menu = form.foldersMenu();
    EXPECT_EQ(form.Menu()->Items(2), menu) << "right of Clean up";
    const auto shown = [&] { return std::pair(menu->Items(2)->Caption(), menu->Items(3)->Caption()); };
    EXPECT_EQ(shown(), std::pair("Schemes: /old s/"s, "Audio: /old a/"s));
    EXPECT_FALSE(menu->Items(2)->Enabled() || menu->Items(3)->Enabled());

    std::vector<std::string> answers = {"/mods/R&D", "/"}, initialFolders;
    const FolderDialogOverride chooser([&](const TFolderDialog &dialog) {
        initialFolders.push_back(dialog.InitialDir());
        std::optional<std::string> answer;
        if (!answers.empty())
            answer = answers.front(), answers.erase(answers.begin());
        return answer;
    });
    for (int item : {0, 1})
        menu->Items(item)->Click();
    EXPECT_EQ(initialFolders, (std::vector<std::string>{"/old s/", "/old a/"}));
    EXPECT_EQ(std::pair(form.Edit1->Text(), form.Edit2->Text()), std::pair("/mods/R&D/"s, "/"s));
    EXPECT_EQ(settingsText(), "/mods/R&D/\n/");
    EXPECT_EQ(shown(), std::pair("Schemes: /mods/R&&D/"s, "Audio: /"s));
    menu->Items(0)->Click();  // cancelled: nothing changes
    EXPECT_EQ(settingsText(), "/mods/R&D/\n/");
}
} // namespace
