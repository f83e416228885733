#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#include "cleanup/move_unused.h"
#include "tests/support/refusing_file_system.h"
#include "tests/support/test_folder.h"

namespace {

TEST(MoveUnused, RefusesWhileAnySchemeFileOrFolderCannotBeRead)
{
    const struct {
        const char *refusedFolder, *refusedFile;
    } cases[] = {{"schemes/sub", nullptr}, {nullptr, "schemes/b.sch"}, {"schemes/sub", "schemes/b.sch"}};
    for (const auto &c : cases) {
        TestFolder tree;
        tree.writeFile("schemes/a.sch", "\"s\"\nused\n");
        tree.writeFile("schemes/b.sch", "\"s\"\nwind\n");
        tree.writeFile("schemes/sub/c.sch", "\"s\"\nrain\n");
        for (const char *sound : {"used", "wind", "rain"})
            tree.writeFile("audio/" + std::string(sound) + ".ogg");
        RefusingFileSystem fs;
        if (c.refusedFolder)
            fs.refusedFolders.insert(tree / c.refusedFolder);
        if (c.refusedFile)
            fs.refusedFiles.insert(tree / c.refusedFile);
        MoveRequest request;
        request.scan = {tree / "schemes", tree / "audio", true, false, {}};
        request.quarantineFolder = tree / "q";
        request.allUnreferenced = true;
        const CleanupOutcome outcome = moveUnusedSounds(request, fs, FileOperations::native());
        EXPECT_TRUE(outcome.files.empty());
        EXPECT_TRUE(std::filesystem::exists(tree / "audio/wind.ogg") && std::filesystem::exists(tree / "audio/rain.ogg"));
        EXPECT_FALSE(std::filesystem::exists(tree / "q"));
        for (const char *refused : {c.refusedFolder, c.refusedFile}) {
            if (refused) {
                EXPECT_NE(outcome.error.find(tree / refused), std::string::npos) << outcome.error;
            }
        }
        EXPECT_NE(outcome.error.find(std::system_category().message(EACCES)), std::string::npos) << outcome.error;
    }
}

} // namespace
