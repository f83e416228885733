#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/toolkit/filesystem/temp_tree.h"
#include "toolkit/filesystem/file_attributes.h"
#include "toolkit/filesystem/file_system.h"

namespace {

TEST(FolderSearch, YieldsMatchingEntriesInEntryOrderWithDotEntriesForStar)
{
    TempTree tree;
    for (const char *name : {"wind.ogg", "Rain.ogg", "rain.OGG", "sub/x", "notes.txt"})
        tree.file(name);
    const FileSystem &fs = FileSystem::posix();
    std::vector<std::string> names;
    for (const FindData &entry : fs.searchFolder(tree.root(), "*").entries)
        names.push_back(entry.cFileName);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "notes.txt", "Rain.ogg", "rain.OGG", "sub", "wind.ogg"}));

    names.clear();
    for (const FindData &entry : fs.searchFolder(tree.root(), "*.ogg").entries)
        names.push_back(entry.cFileName);
    EXPECT_EQ(names, (std::vector<std::string>{"Rain.ogg", "rain.OGG", "wind.ogg"}));
}

TEST(FolderSearch, ReportsNothingFoundAndCannotOpenApart)
{
    TempTree tree;
    tree.file("notes.txt");
    const FileSystem &fs = FileSystem::posix();
    const FolderSearch empty = fs.searchFolder(tree.root(), "*.ogg");
    EXPECT_EQ(empty.status, FolderSearch::Status::NothingFound);
    EXPECT_TRUE(empty.entries.empty());
    const FolderSearch missing = fs.searchFolder(tree.path("missing"), "*");
    EXPECT_EQ(missing.status, FolderSearch::Status::CannotOpen);
    EXPECT_EQ(missing.error, ENOENT);
    const FolderSearch notFolder = fs.searchFolder(tree.path("notes.txt"), "*");
    EXPECT_EQ(notFolder.status, FolderSearch::Status::CannotOpen);
    EXPECT_EQ(notFolder.error, ENOTDIR);
}

TEST(FolderSearch, FolderWithoutPermissionCannotBeOpened)
{
    if (runningAsRoot())
        GTEST_SKIP() << "root opens folders whatever their permissions; the scan tests refuse folders through the seam";
    TempTree tree;
    tree.folder("locked");
    ASSERT_EQ(::chmod(tree.path("locked").c_str(), 0), 0);
    const FolderSearch search = FileSystem::posix().searchFolder(tree.path("locked"), "*");
    EXPECT_EQ(search.status, FolderSearch::Status::CannotOpen);
    EXPECT_EQ(search.error, EACCES);
}

TEST(FolderSearch, AttributeWordsMarkFoldersLinksAndDotNames)
{
    TempTree tree;
    tree.file("plain.ogg");
    tree.folder("folder");
    tree.folder(".hidden");
    tree.file(".dotfile.ogg");
    tree.link("folderlink", "folder");
    tree.link("filelink.ogg", "plain.ogg");
    tree.link("dangling.ogg", "nowhere.ogg");
    tree.folder("readonly");
    ASSERT_EQ(::chmod(tree.path("readonly").c_str(), 0555), 0);
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {".", FILE_ATTRIBUTE_DIRECTORY},
        {"..", FILE_ATTRIBUTE_DIRECTORY},
        {".dotfile.ogg", FILE_ATTRIBUTE_HIDDEN},
        {".hidden", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
        {"dangling.ogg", FILE_ATTRIBUTE_REPARSE_POINT},
        {"filelink.ogg", FILE_ATTRIBUTE_REPARSE_POINT},
        {"folder", FILE_ATTRIBUTE_DIRECTORY},
        {"folderlink", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT},
        {"plain.ogg", FILE_ATTRIBUTE_NORMAL},
        {"readonly", FILE_ATTRIBUTE_DIRECTORY},  // permissions never make a folder read-only
    };
    const FileSystem &fs = FileSystem::posix();
    std::vector<std::pair<std::string, std::uint32_t>> found;
    for (const FindData &entry : fs.searchFolder(tree.root(), "*").entries) {
        found.emplace_back(entry.cFileName, entry.dwFileAttributes);
        // Looking an entry up by name gives the same word as the search.
        if (entry.cFileName != "." && entry.cFileName != "..") {
            EXPECT_EQ(fs.GetFileAttributesA(tree.path(entry.cFileName)), entry.dwFileAttributes) << entry.cFileName;
        }
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(fs.GetFileAttributesA(tree.path("missing")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(fs.GetFileAttributesA(tree.path("folder/")), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(FolderSearch, CanonicalPathResolvesLinksAndRejectsWhatDoesNotExist)
{
    TempTree tree;
    tree.folder("real/inner");
    tree.link("alias", "real");
    const FileSystem &fs = FileSystem::posix();
    EXPECT_EQ(fs.canonicalPath(tree.path("alias/inner/../")), tree.path("real"));
    EXPECT_EQ(fs.canonicalPath(tree.path("missing")), std::nullopt);
    EXPECT_EQ(fs.canonicalPath(""), std::nullopt);
}

} // namespace
