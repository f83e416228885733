// Windows-only cases of the scan: the folder forms Windows users write and
// the attribute words the system itself gives.

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "scan/folder_walkers.h"
#include "scan/scan_run.h"
#include "tests/support/test_folder.h"
#include "toolkit/filesystem/system_path_win32.h"

namespace {

using Lines = std::vector<std::string>;

std::string forwardSlashes(std::string path)
{
    for (char &c : path)
        c = c == '\\' ? '/' : c;
    return path;
}

// The attribute word a search of `folder` gives the entry `name`.
std::uint32_t attributesOf(const std::string &folder, const std::string &name)
{
    for (const FindData &entry : FileSystem::native().searchFolder(folder, name).entries)
        if (entry.cFileName == name)
            return entry.dwFileAttributes;
    return INVALID_FILE_ATTRIBUTES;
}

Lines namesIn(const FileNameList &list)
{
    Lines names;
    for (const FileNameNode &node : list)
        names.push_back(node.name);
    return names;
}

TEST(WindowsFolders, DriveLetterUncRelativeAndBothSeparatorsNameTheSameFolder)
{
    TestFolder tree;
    tree.writeFile("mod/schemes/a.sch", "\"s\"\nwind\n");
    for (const char *audio : {"mod/audio/wind.ogg", "mod/audio/rain.ogg", "mod/audio/sub/thunder.ogg"})
        tree.writeFile(audio);
    const std::string mod = (tree / "mod");
    ASSERT_EQ(mod.substr(1, 2), ":\\");
    // The drive's administrative share, \\localhost\c$ (./test gives its Wine prefix one).
    const std::string share = std::string("\\\\localhost\\") + char(std::tolower(mod[0])) + "$" + mod.substr(2);
    const bool shareReached = ::GetFileAttributesW(systemPath(share).c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::string previous = FileSystem::native().GetCurrentDirectoryA();
    ASSERT_TRUE(::SetCurrentDirectoryW(toSystemText(mod).c_str()));
    const struct {
        std::string schemes, audio, base, resolved;  // resolved: the folder both resolve in
    } cases[] = {
        {mod + "\\schemes", mod + "\\audio", "", mod},
        {forwardSlashes(mod) + "/schemes/", forwardSlashes(mod) + "/audio/sub/..", "", mod},
        {"\\\\?\\" + mod + "\\schemes", "\\\\?\\" + mod + "\\audio\\", "", mod},
        {"schemes", "audio", mod, mod},
        {".\\schemes\\", "./audio", forwardSlashes(mod), mod},
        {"schemes", "audio", "", mod},  // from the working folder
        {share + "\\schemes", forwardSlashes(share) + "/audio", "", share},
        {"schemes", "audio\\", share, share},
    };
    for (const auto &c : cases) {
        if (c.resolved == share && !shareReached) {
            ADD_FAILURE() << share << " cannot be reached";
            continue;
        }
        for (const bool sub : {false, true}) {
            const ScanDetails details = runScanDetailed({c.schemes, c.audio, sub, sub, c.base});
            const Lines expected = sub ? Lines{"rain", "thunder", "", "Scan termined."} : Lines{"rain", "", "Scan termined."};
            EXPECT_EQ(details.lines, expected) << c.schemes << " | " << c.audio;
            EXPECT_EQ(details.schemesFolder, c.resolved + "\\schemes");
            EXPECT_EQ(details.audioFolder, c.resolved + "\\audio");
        }
    }
    ASSERT_TRUE(::SetCurrentDirectoryW(toSystemText(previous).c_str()));
}

TEST(WindowsWalks, SystemAttributesDecideWhatIsEnteredAndUpperCaseOggCountsOnlyFlat)
{
    TestFolder tree;
    for (const char *path : {"plain/a.ogg", "hidden/b.ogg", "system/c.ogg", "stored/d.ogg", "LOUD.OGG", "quiet.ogg",
                             "Mixed.Ogg", "x.ogg.bak", "wind.oggx"})
        tree.writeFile(path);
    const struct {
        const char *name;
        DWORD set;
        std::uint32_t seen;  // the attribute word the walks get
    } attributes[] = {
        {"plain", 0, FILE_ATTRIBUTE_DIRECTORY},
        {"hidden", FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
        {"system", FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM},
        // Bits about storage leave a folder a plain folder, a file a plain file.
        {"stored", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, FILE_ATTRIBUTE_DIRECTORY},
        {"quiet.ogg", FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_NORMAL},
    };
    for (const auto &a : attributes) {
        if (a.set != 0) {
            ASSERT_TRUE(::SetFileAttributesW(systemPath((tree / a.name)).c_str(), a.set)) << a.name;
        }
        EXPECT_EQ(attributesOf(tree.path(), a.name), a.seen) << a.name;
    }
    // The system's own "*.ogg" also takes wind.oggx, through its 8.3 alias WIND~1.OGG.
    FileNameList flat, recursive;
    std::vector<UnreadablePath> skipped;
    EXPECT_TRUE(collectAudioFlat(FileSystem::native(), tree.path(), flat));
    EXPECT_TRUE(collectRecursive(FileSystem::native(), tree.path(), recursive, true, skipped));
    EXPECT_EQ(namesIn(flat), (Lines{"LOUD", "Mixed", "quiet"}));
    EXPECT_EQ(namesIn(recursive), (Lines{"a", "quiet", "d"}));
}

TEST(WindowsWalks, LinkedFoldersAreNotEntered)
{
    // Wine makes neither junctions nor symbolic links: the build makes a POSIX
    // link (ROOT/link -> real), which Wine shows as a reparse point.
    const char *made = std::getenv("VORREL_TEST_LINKED_TREE");
    if (made == nullptr)
        GTEST_SKIP() << "VORREL_TEST_LINKED_TREE is not set";
    const std::string root = FileSystem::native().canonicalPath(made).value();
    ASSERT_TRUE(std::ofstream(fsPath(joinPath(root, "real\\inside.ogg"))));
    EXPECT_EQ(attributesOf(root, "link"), std::uint32_t{FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY});
    FileNameList audio;
    std::vector<UnreadablePath> skipped;
    EXPECT_TRUE(collectRecursive(FileSystem::native(), root, audio, true, skipped));
    ASSERT_EQ(audio.size(), 1u);
    EXPECT_EQ(audio[0].folder(), joinPath(root, "real"));
}

} // namespace
