#include "app/folder_settings.h"
#include "tests/toolkit/forms/test_folder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::string_literals;

struct LoadCase {
    const char *name;
    std::string content;
    std::string schemes;
    std::string audio;
};

void PrintTo(const LoadCase &loadCase, std::ostream *out)
{
    *out << loadCase.name;
}

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
                      LoadCase{"BothLines", "/s/\n/a/", "/s/", "/a/"},
                      LoadCase{"AudioLineEndDropped", "/s/\n/a/\n", "/s/", "/a/"},
                      LoadCase{"CarriageReturnLineEnds", "/s/\r\n/a/\r\n", "/s/", "/a/"},
                      LoadCase{"LoneCarriageReturnIsText", "/s/\r", "/s/\r", ""},
                      LoadCase{"EmptyFile", "", "", ""},
                      LoadCase{"EmptyFirstLine", "\n/a/", "", "/a/"},
                      LoadCase{"FurtherLinesIgnored", "/s/\n/a/\n/other/\n", "/s/", "/a/"},
                      LoadCase{"LongLinesStayWhole", longFolder + "\n" + longFolder, longFolder, longFolder},
                      LoadCase{"ZeroByteEndsTheLine", "/s\0junk/\n/a/"s, "/s", "/a/"},
                      LoadCase{"PercentSignsKept", "/100% sure/%s%d/\n/a%n/", "/100% sure/%s%d/", "/a%n/"}),
    [](const ::testing::TestParamInfo<LoadCase> &info) { return std::string(info.param.name); });

TEST(LoadSettingsTest, WithoutTheFileBothFoldersAreTheWorkingFolder)
{
    const TestFolder folder;
    FolderStrings folders;
    loadSettings(folder.path(), folders);
    EXPECT_EQ(folders.schemesFolder, folder.path());
    EXPECT_EQ(folders.audioFolder, folder.path());
    EXPECT_EQ(TestFolder::readFile(folder / "Settings.ini"), "<missing>") << "loading never creates the file";
}

TEST(LoadSettingsTest, UnreadableSettingsLeaveTheFoldersAsTheyAre)
{
    // A folder by that name opens on this platform but fails on the first
    // read: nothing of it may be taken.
    const TestFolder folder;
    folder.makeFolder("Settings.ini");
    FolderStrings folders{"/kept/", "/also kept/"};
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

void PrintTo(const SaveCase &saveCase, std::ostream *out)
{
    *out << saveCase.name;
}

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
    ::testing::Values(SaveCase{"SchemesCreates", std::nullopt, FolderKind::Schemes, "/new s/\n"},
                      SaveCase{"AudioCreatesWithEmptyFirstLine", std::nullopt, FolderKind::Audio, "\n/new a/"},
                      SaveCase{"SchemesKeepsSecondLineAsItStands", "/s/\n/a/\n", FolderKind::Schemes,
                               "/new s/\n/a/\n"},
                      SaveCase{"SchemesKeepsSecondLineWithoutEnd", "/s/\n/a/", FolderKind::Schemes, "/new s/\n/a/"},
                      SaveCase{"SchemesWithoutSecondLine", "/s/\n", FolderKind::Schemes, "/new s/\n"},
                      SaveCase{"AudioKeepsFirstLine", "/s/\n/a/", FolderKind::Audio, "/s/\n/new a/"},
                      SaveCase{"AudioKeepsCarriageReturnOfFirstLine", "/s/\r\n/a/", FolderKind::Audio,
                               "/s/\r\n/new a/"},
                      SaveCase{"AudioIntoEmptyFile", "", FolderKind::Audio, "\n/new a/"},
                      SaveCase{"AudioAfterFirstLineWithoutEnd", "/s/", FolderKind::Audio, "/s/\n/new a/"}),
    [](const ::testing::TestParamInfo<SaveCase> &info) { return std::string(info.param.name); });

TEST(SaveSettingsTest, SettingsThatCannotBeReadAreNotRewritten)
{
    const TestFolder folder;
    folder.makeFolder("Settings.ini");
    saveSettings(folder.path(), FolderKind::Schemes, FolderStrings{"/s/", "/a/"});
    saveSettings(folder.path(), FolderKind::Audio, FolderStrings{"/s/", "/a/"});
    struct stat status {};
    ASSERT_EQ(::stat((folder / "Settings.ini").c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode)) << "nothing may replace what could not be read";
}

TEST(SaveSettingsTest, FolderWithoutWriteRightsGetsNoFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root creates files in folders without write permission";
    const TestFolder folder;
    const std::string locked = folder.makeFolder("locked");
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    saveSettings(locked, FolderKind::Schemes, FolderStrings{"/s/", "/a/"});
    EXPECT_EQ(TestFolder::readFile(locked + "/Settings.ini"), "<missing>");
}

} // namespace
