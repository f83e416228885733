// Windows-only cases of the file-system layer: how paths are read, what a
// copy across volumes keeps, and the errors a user is shown.

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/test_folder.h"
#include "toolkit/filesystem/file_operations.h"
#include "toolkit/filesystem/file_system.h"
#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/system_path_win32.h"

namespace {

TEST(WindowsPaths, ReadAsTheSystemReadsThemWithDevicesAsFoldersAndLoneSurrogatesKept)
{
    TestFolder tree;
    const std::string t = tree.path();
    const std::pair<std::string, std::string> cases[] = {
        {t + "\\q. ", t + "\\q"}, {t + "\\a.\\q", t + "\\a\\q"}, {t + "/a/./b/../q/", t + "\\a\\q"},
        {"\\\\?\\" + t + "\\q", t + "\\q"}, {t + "\\a\\aux", t + "\\a\\aux"}, {t + "\\a\\nul. ", t + "\\a\\nul"},
        {"CON", joinPath(FileSystem::native().GetCurrentDirectoryA(), "CON")},
    };
    for (const auto &[given, expected] : cases)
        EXPECT_EQ(absolutePath(given), expected) << given;
    std::vector<std::string> created;
    ASSERT_FALSE(FileOperations::native().makeFolders(t + "\\a\\aux", created));
    EXPECT_EQ(FileSystem::native().canonicalPath(t + "\\a\\aux"), t + "\\a\\aux");
    ::RemoveDirectoryW(systemPath(t + "\\a\\aux").c_str());  // the C++ library would take it for the device

    const std::string lone = "C:\\a\\x\xed\xa0\xbd.ogg";  // U+D83D alone, as NTFS allows in a name
    EXPECT_EQ(utf8FromPath(pathFromUtf8(lone)), lone);
    EXPECT_EQ(genericUtf8FromPath(pathFromUtf8(lone)), "C:/a/x\xed\xa0\xbd.ogg");
}

TEST(WindowsPaths, InsideComparesWhatTheSystemResolvesWithoutLetterCase)
{
    TestFolder tree;
    tree.makeFolder("audiofolder/sub");
    const std::string audio = tree / "audiofolder";
    std::wstring shortForm(MAX_PATH, L'\0');
    shortForm.resize(::GetShortPathNameW(systemPath(audio).c_str(), shortForm.data(), MAX_PATH));
    ASSERT_NE(userPath(shortForm), audio);
    const struct {
        std::string folder, path;
        bool inside;
    } cases[] = {
        {audio, userPath(shortForm) + "\\q", true}, {audio, tree / "AUDIOFOLDER/_unused", true},
        {tree / "AudioFolder", audio, true}, {audio, tree / "audiofolder/Sub/new/deeper", true},
        {tree / "audiofolder/Fresh", tree / "AUDIOFOLDER/fresh/q", true}, {audio, tree.path(), false},
        {audio, tree / "audiofolder2", false}, {audio, tree / "audiofolder/../q", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isSameOrInside(c.folder, c.path), c.inside) << c.folder << " | " << c.path;
}

TEST(WindowsFileOperations, CopyKeepsAttributesAndReadOnlyFilesAreRemoved)
{
    TestFolder tree;
    const FileOperations &operations = FileOperations::native();
    for (const DWORD attributes : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                                   FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN}) {
        const std::string from = tree / "from.ogg", to = tree / "to.ogg";
        tree.writeFile("from.ogg", "sound");
        ASSERT_TRUE(::SetFileAttributesW(systemPath(from).c_str(), attributes));
        const DWORD given = ::GetFileAttributesW(systemPath(from).c_str());  // what this file system keeps of them
        ASSERT_FALSE(operations.copyToNewFile(from, to)) << attributes;
        EXPECT_EQ(::GetFileAttributesW(systemPath(to).c_str()), given) << attributes;
        for (const std::string &path : {from, to})
            EXPECT_FALSE(operations.removeFile(path)) << path;  // read-only ones too
    }
}

TEST(WindowsFileOperations, AFileInUseSaysSo)
{
    TestFolder tree;
    tree.writeFile("held.ogg", "x");
    const HANDLE held = ::CreateFileW(systemPath(tree / "held.ogg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::error_code error = FileOperations::native().copyToNewFile(tree / "held.ogg", tree / "copy.ogg");
    ::CloseHandle(held);
    EXPECT_EQ(error.message(), "the file is in use by another program");
}

// A folder given through a link or junction is entered, as the user chose
// it, and the link is never removed as if it were an empty folder.
TEST(WindowsFileOperations, FoldersAreMadeBeneathLinks)
{
    const char *linked = std::getenv("VORREL_TEST_LINKED_TREE");
    if (linked == nullptr)
        GTEST_SKIP() << "VORREL_TEST_LINKED_TREE is not set";
    const std::string link = joinPath(FileSystem::native().canonicalPath(linked).value(), "link"),
                      made = joinPath(link, "made-" + std::to_string(::GetCurrentProcessId()));
    std::vector<std::string> created;
    EXPECT_FALSE(FileOperations::native().makeFolders(joinPath(made, "q"), created));
    ASSERT_EQ(created, (std::vector<std::string>{made, joinPath(made, "q")}));
    EXPECT_EQ(FileOperations::native().removeEmptyFolder(link), std::errc::not_a_directory);  // not ours, not empty
    for (const std::string &folder : {created[1], created[0]})
        EXPECT_FALSE(FileOperations::native().removeEmptyFolder(folder));
}

} // namespace
