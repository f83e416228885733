#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "cleanup/kept_moves.h"
#include "keep/keep_list_file.h"
#include "tests/support/test_folder.h"

namespace {

bool exists(const std::string &path)
{
    std::error_code error;
    return std::filesystem::exists(fsPath(path), error);
}

TEST(KeptMovesTest, KeptSoundsNeverMoveNamedOrNotAndABrokenListStopsTheMove)
{
    const TestFolder tree;
    tree.writeFile("s/a.sch", "\"s\"\nused\n");
    for (const char *sound : {"a/used.ogg", "a/keep.ogg", "a/sub/spare.ogg", "a/sub/Keep.ogg"})
        tree.writeFile(sound, "x");
    tree.writeFile("vorrel-keep.txt", "# kept\nkeep.ogg\n");
    MoveRequest request;
    request.scan = {tree / "s", tree / "a", false, true, {}};
    request.quarantineFolder = tree / "q1";
    request.files = {tree / "a/keep.ogg", tree / "a/sub/spare.ogg"};
    const KeepList list = keepListFor(tree / "a", FileOperations::native()).value();

    CleanupOutcome outcome = moveUnusedKeeping(request, &list, FileSystem::native(), FileOperations::native());
    EXPECT_TRUE(exists(tree / "a/keep.ogg"));
    EXPECT_TRUE(exists(tree / "q1/sub/spare.ogg"));
    EXPECT_EQ(outcome.count(FileResult::Failed), 1u);
    EXPECT_NE(outcome.files.at(0).message.find("line 2 (keep.ogg)"), std::string::npos) << outcome.files[0].message;

    request.files.clear();
    request.allUnreferenced = true;
    request.quarantineFolder = tree / "q2";
    const KeepList broken(tree / "vorrel-keep.txt", "keep.ogg\nsub/[k].ogg\n");
    outcome = moveUnusedKeeping(request, &broken, FileSystem::native(), FileOperations::native());
    EXPECT_NE(outcome.error.find("vorrel-keep.txt, line 2: "), std::string::npos) << outcome.error;
    EXPECT_TRUE(exists(tree / "a/sub/Keep.ogg"));

    outcome = moveUnusedKeeping(request, &list, FileSystem::native(), FileOperations::native());
    EXPECT_TRUE(outcome.complete()) << outcome.error;
    EXPECT_TRUE(exists(tree / "a/keep.ogg"));
    EXPECT_TRUE(exists(tree / "a/sub/Keep.ogg"));
    EXPECT_EQ(outcome.count(FileResult::Skipped), 2u);
}

} // namespace
