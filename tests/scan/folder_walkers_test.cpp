#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "scan/folder_walkers.h"
#include "tests/toolkit/filesystem/temp_tree.h"

namespace {

using Found = std::vector<std::pair<std::string, std::string>>;  // name, folder

Found foundIn(const FileNameList &list)
{
    Found found;
    for (const FileNameNode &node : list)
        found.emplace_back(node.name, node.folder());
    return found;
}

Found walkRecursive(const FileSystem &fs, const std::string &folder, bool audioMode,
                    std::vector<std::string> *skipped = nullptr)
{
    FileNameList list;
    std::vector<std::string> skippedHere;
    EXPECT_TRUE(collectRecursive(fs, folder, list, audioMode, skippedHere));
    if (skipped != nullptr)
        *skipped = skippedHere;
    return foundIn(list);
}

TEST(FolderWalkers, FlatSchemeWalkStaysInItsFolderRecursiveGoesDown)
{
    TempTree tree;
    tree.file("a.sch");
    tree.file("b.txt");
    tree.file("sub/c.sch");
    FileNameList flat;
    collectSchemesFlat(FileSystem::posix(), tree.root(), flat, false);
    EXPECT_EQ(foundIn(flat), (Found{{"a.sch", tree.root()}}));
    EXPECT_EQ(walkRecursive(FileSystem::posix(), tree.root(), false),
              (Found{{"a.sch", tree.root()}, {"c.sch", tree.path("sub")}}));
}

TEST(FolderWalkers, FlatWalksIgnoreLetterCaseRecursiveNeedsTheExactExtension)
{
    TempTree tree;
    for (const char *name : {"wind.ogg", "WIND2.OGG", "Mixed.Ogg", "x.ogg.bak", "notes.wav", "UPPER.SCH", "ogg", ".og"})
        tree.file(name);
    tree.file(".ogg");               // exactly the extension: the empty base name
    tree.file("dir.ogg/inner.wav");  // a folder whose name matches the pattern
    const FileSystem &fs = FileSystem::posix();

    FileNameList flat;
    EXPECT_TRUE(collectAudioFlat(fs, tree.root(), flat));
    EXPECT_EQ(foundIn(flat), (Found{{"", tree.root()}, {"Mixed", tree.root()}, {"wind", tree.root()},
                                    {"WIND2", tree.root()}}));
    EXPECT_EQ(walkRecursive(fs, tree.root(), true), (Found{{"", tree.root()}, {"wind", tree.root()}}));

    FileNameList schemes;
    collectSchemesFlat(fs, tree.root(), schemes, false);
    EXPECT_EQ(foundIn(schemes), (Found{{"UPPER.SCH", tree.root()}}));
    EXPECT_TRUE(walkRecursive(fs, tree.root(), false).empty());
}

TEST(FolderWalkers, RecursiveWalkIsDepthFirstInEntryOrder)
{
    TempTree tree;
    for (const char *path : {"z.ogg", "a.ogg", "M/b.ogg", "M/n/c.ogg", "M/d.ogg", "m2/e.ogg", "m2/b.ogg"})
        tree.file(path);
    EXPECT_EQ(walkRecursive(FileSystem::posix(), tree.root(), true),
              (Found{{"a", tree.root()}, {"b", tree.path("M")}, {"d", tree.path("M")}, {"c", tree.path("M/n")},
                     {"b", tree.path("m2")}, {"e", tree.path("m2")}, {"z", tree.root()}}));
}

TEST(FolderWalkers, EmptyFoldersAndFoldersThatCannotBeEntered)
{
    TempTree tree;
    tree.folder("empty");
    tree.folder("only_a_folder/odd.ogg");
    const FileSystem &fs = FileSystem::posix();
    FileNameList list;
    std::vector<std::string> skipped;
    collectSchemesFlat(fs, tree.path("empty"), list, false);
    EXPECT_FALSE(collectAudioFlat(fs, tree.path("empty"), list));
    EXPECT_TRUE(collectRecursive(fs, tree.path("empty"), list, true, skipped));
    // Something matched the pattern, though nothing was collected.
    EXPECT_TRUE(collectAudioFlat(fs, tree.path("only_a_folder"), list));
    EXPECT_FALSE(collectAudioFlat(fs, tree.path("missing"), list));
    EXPECT_FALSE(collectRecursive(fs, tree.path("missing"), list, true, skipped));
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(skipped.empty());
}

TEST(FolderWalkers, DotFoldersAndLinksAreNeverEntered)
{
    TempTree tree;
    tree.file("walked/.backup/hidden.ogg");
    tree.file("elsewhere/outside.ogg");
    tree.link("walked/loop", "..");
    tree.link("walked/outside", "../elsewhere");
    tree.file("walked/inside.ogg");
    EXPECT_EQ(walkRecursive(FileSystem::posix(), tree.path("walked"), true), (Found{{"inside", tree.path("walked")}}));
}

TEST(FolderWalkers, RefusedSubfolderIsSkippedAndTheWalkGoesOn)
{
    TempTree tree;
    for (const char *path : {"a/first.ogg", "b/locked.ogg", "b/deeper/locked2.ogg", "c/after.ogg"})
        tree.file(path);
    RefusingFileSystem fs;
    fs.refusedFolders.insert(tree.path("b"));
    std::vector<std::string> skipped;
    EXPECT_EQ(walkRecursive(fs, tree.root(), true, &skipped), (Found{{"first", tree.path("a")}, {"after", tree.path("c")}}));
    EXPECT_EQ(skipped, std::vector<std::string>{tree.path("b")});
}

TEST(FolderWalkers, SubfolderWithoutPermissionIsSkipped)
{
    if (runningAsRoot())
        GTEST_SKIP() << "root enters folders whatever their permissions; RefusedSubfolderIsSkippedAndTheWalkGoesOn "
                        "covers the same path through the seam";
    TempTree tree;
    for (const char *path : {"a/first.ogg", "b/locked.ogg", "c/after.ogg"})
        tree.file(path);
    ASSERT_EQ(::chmod(tree.path("b").c_str(), 0), 0);
    std::vector<std::string> skipped;
    EXPECT_EQ(walkRecursive(FileSystem::posix(), tree.root(), true, &skipped),
              (Found{{"first", tree.path("a")}, {"after", tree.path("c")}}));
    EXPECT_EQ(skipped, std::vector<std::string>{tree.path("b")});
}

TEST(FolderWalkers, LongNamesAndDeepFoldersKeepTheirFullText)
{
    TempTree tree;
    const std::string part(200, 'd');
    std::string deep = part;
    for (int level = 1; level < 6; ++level)
        deep += "/" + part;  // a folder path well over 1000 characters
    const std::string name(250, 'n');
    tree.file(deep + "/" + name + ".ogg");
    EXPECT_EQ(walkRecursive(FileSystem::posix(), tree.root(), true), (Found{{name, tree.path(deep)}}));
}

} // namespace
