#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "scan/comparison.h"
#include "scan/folder_walkers.h"
#include "scan/scheme_reader.h"
#include "tests/support/refusing_file_system.h"
#include "tests/support/test_folder.h"

namespace {

using Found = std::vector<std::pair<std::string, std::string>>;  // name, folder

Found foundIn(const FileNameList &list)
{
    Found found;
    for (const FileNameNode &node : list)
        found.emplace_back(node.name, node.folder());
    return found;
}

Found walkRecursive(const std::string &folder, bool audioMode)
{
    FileNameList list;
    std::vector<UnreadablePath> skipped;
    EXPECT_TRUE(collectRecursive(FileSystem::native(), folder, list, audioMode, skipped));
    EXPECT_TRUE(skipped.empty());
    return foundIn(list);
}

TEST(FolderWalkers, FlatWalksIgnoreCaseRecursiveNeedsTheExactExtensionAndGoesDown)
{
    TestFolder tree;
    for (const char *name : {"wind.ogg", "WIND2.OGG", "Mixed.Ogg", "x.ogg.bak", "a.sch", "UPPER.SCH", "ogg", ".og",
                             ".ogg", "dir.ogg/inner.wav", "sub/c.sch"})
        tree.writeFile(name);
    const std::string &root = tree.path();
    FileNameList audio, schemes;
    EXPECT_TRUE(collectAudioFlat(FileSystem::native(), root, audio));
    EXPECT_EQ(foundIn(audio), (Found{{"", root}, {"Mixed", root}, {"wind", root}, {"WIND2", root}}));
    // Names shorter than ".ogg" never pass: the only empty name is ".ogg"'s.
    EXPECT_EQ(walkRecursive(root, true), (Found{{"", root}, {"wind", root}}));
    collectSchemesFlat(FileSystem::native(), root, schemes, false);
    EXPECT_EQ(foundIn(schemes), (Found{{"a.sch", root}, {"UPPER.SCH", root}}));
    EXPECT_EQ(walkRecursive(root, false), (Found{{"a.sch", root}, {"c.sch", tree / "sub"}}));
}

TEST(FolderWalkers, RecursiveWalkIsDepthFirstInEntryOrderSkipsDotFoldersAndLinksAndKeepsLongPaths)
{
    TestFolder tree;
    for (const char *path : {"z.ogg", "a.ogg", "M/b.ogg", "M/n/c.ogg", "M/d.ogg", "m2/e.ogg", "m2/b.ogg",
                             ".backup/h.ogg", "elsewhere/outside.ogg"})
        tree.writeFile(path);
    std::string deep(200, 'd');  // a folder path well over 1000 characters, a long name in it
    for (int level = 1; level < 6; ++level)
        deep += "/" + std::string(200, 'd');
    const std::string name(250, 'n');
    tree.writeFile(deep + "/" + name + ".ogg", "12345");
#ifndef _WIN32
    // Wine cannot make links; the Windows suite walks past one the build made.
    std::filesystem::create_symlink("..", (tree / "M/loop"));
    std::filesystem::create_symlink("../elsewhere", (tree / "M/outside"));
#endif
    const std::string &root = tree.path();
    EXPECT_EQ(walkRecursive(root, true),
              (Found{{"a", root}, {name, tree / deep}, {"outside", tree / "elsewhere"}, {"b", tree / "M"}, {"d", tree / "M"},
                     {"c", tree / "M/n"}, {"b", tree / "m2"}, {"e", tree / "m2"}, {"z", root}}));
    FileNameList flat;
    EXPECT_TRUE(collectAudioFlat(FileSystem::native(), tree / deep, flat));
    EXPECT_EQ(foundIn(flat), (Found{{name, tree / deep}}));
    EXPECT_EQ(FileSystem::native().fileSize(tree / (deep + "/" + name + ".ogg")), 5u);
}

std::vector<SchemeReference> referencesTo(const std::vector<std::string> &names)
{
    std::vector<SchemeReference> references;
    for (std::size_t i = 0; i < names.size(); ++i)
        references.push_back({names[i], 0, i + 1});
    return references;
}

TEST(Comparison, MatchesAPlainNestedSearchOnRandomListsAndReportsReferencesThatNoAudioFileHas)
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> lengthOf(0, 40);
    for (int round = 0; round < 300; ++round) {
        // Few distinct names, so that repeats on both sides are common.
        std::uniform_int_distribution<int> nameOf(0, 1 + round % 12);
        Found audio;
        FileNameList list;
        std::vector<std::string> references(lengthOf(random));
        for (std::size_t n = lengthOf(random); n > 0; --n) {
            audio.emplace_back("n" + std::to_string(nameOf(random)), "/f" + std::to_string(n));
            list.append(audio.back().first, audio.back().second, false);
        }
        for (std::string &name : references)
            name = "n" + std::to_string(nameOf(random));
        removeReferencedAudio(list, referencesTo(references));
        // The plain search: per reference, unlink the first remaining node of that name.
        for (const std::string &reference : references) {
            const auto node = std::find_if(audio.begin(), audio.end(), [&](auto &n) { return n.first == reference; });
            if (node != audio.end())
                audio.erase(node);
        }
        ASSERT_EQ(foundIn(list), audio) << "round " << round;
    }
    // References that no audio file has are reported.
    FileNameList audio;
    audio.append("wind", "/a", false);
    // The second "wind" finds no node left, yet a file of that name exists:
    // not missing. Case and blanks matter.
    EXPECT_EQ(removeReferencedAudio(audio, referencesTo({"wind", "Wind", "wind", "wind ", "thunder"})),
              (std::vector<std::size_t>{1, 3, 4}));
    EXPECT_TRUE(audio.empty());
}

using Read = std::vector<std::pair<std::string, std::size_t>>;  // name, line number

// Reads the scheme files `files` of `tree`, in that order, with one reader.
Read readFiles(const TestFolder &tree, const std::vector<std::string> &files, const FileSystem &fs = FileSystem::native(),
               const std::vector<std::string> &unreadable = {})
{
    FileNameList schemes;
    for (const std::string &file : files)
        schemes.append(file, tree.path(), false);
    std::vector<SchemeReference> references;
    std::vector<UnreadablePath> unreadableHere;
    SchemeReader(fs).readSchemes(schemes, references, unreadableHere);
    std::vector<std::string> unreadablePaths, expectedPaths;
    for (const UnreadablePath &file : unreadableHere)
        unreadablePaths.push_back(file.path);
    for (const std::string &file : unreadable)
        expectedPaths.push_back(tree / file);
    EXPECT_EQ(unreadablePaths, expectedPaths);
    Read read;
    for (const SchemeReference &reference : references)
        read.emplace_back(reference.name, reference.lineNumber);
    return read;
}

TEST(SchemeReader, TakesTheFirstPlainLineAfterQuotedLines)
{
    const std::string longLine(100000, 'w');
    const struct {
        std::string content;
        Read read;
    } cases[] = {
        // The worked example.
        {"schema \"guard_alert\"\nguard_alert_01\nguard_alert_02\nvolume \"-300\"\n\"a\" \"b\"\n\n",
         {{"guard_alert_01", 2}, {"", 6}}},
        {"a\nb\n", {}}, {"\"x\"\n\"y\"\na\nb\n", {{"a", 3}}}, {"x\"\na\ny \" z\nb\n\"\n", {{"a", 2}, {"b", 4}}},
        {"\"x\"\r\nwind01\r\n\"y\"\r\nrain\r\n", {{"wind01", 2}, {"rain", 4}}}, {"\"x\"\nwind01", {{"wind01", 2}}},
        {"\"x\"\n  wind01 \n\"y\"\n\twind02\n", {{"  wind01 ", 2}, {"\twind02", 4}}},
        {"\"x\"\na\rb\n\"y\"\nc\r\r\n", {{"a\rb", 2}, {"c\r", 4}}},  // only the CR right before the LF goes
        // The text ends at the zero byte: the quote after it does not count.
        {std::string("\"x\"\nab\0\"cd\n", 11), {{"ab", 2}}}, {std::string("\"x\"\n\0abc\nnext\n", 14), {{"", 2}}},
        {"\"x\"\n" + longLine + "\n", {{longLine, 2}}}, {longLine + "\"\n" + longLine + "\nr\n", {{longLine, 2}}},
        // The first read takes 8 KiB: a CR ends it, its LF starts the next.
        {std::string(8190, 'q') + "\"\r\nwind\r\n", {{"wind", 2}}},
    };
    TestFolder tree;
    for (const auto &c : cases) {
        tree.writeFile("s.sch", c.content);
        EXPECT_EQ(readFiles(tree, {"s.sch"}), c.read) << testing::PrintToString(c.content.substr(0, 20));
    }
}

TEST(SchemeReader, FilesThatCannotBeReadAreSkippedAndNamed)
{
    TestFolder tree;
    tree.writeFile("a.sch", "\"x\"\n");
    tree.writeFile("locked.sch", "\"y\"\nhidden_ref\n");
    tree.writeFile("folder.sch/x");  // folder.sch opens, then every read fails
    tree.writeFile("c.sch", "after_lock\n");
    RefusingFileSystem fs;
    fs.refusedFiles.insert(tree / "locked.sch");
    // The files that could not be read leave the quote state alone.
    EXPECT_EQ(readFiles(tree, {"a.sch", "locked.sch", "folder.sch", "c.sch", "gone.sch"}, fs, {"locked.sch", "folder.sch", "gone.sch"}),
              (Read{{"after_lock", 1}}));
}

} // namespace
