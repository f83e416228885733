#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cleanup/move_unused.h"
#include "tests/support/test_folder.h"
#include "toolkit/filesystem/file_operations.h"

namespace {

namespace fs = std::filesystem;

// A step that cannot be done whole changes nothing: above all, it never
// replaces or removes an entry that was at its destination before.
TEST(FileOperations, AFailedStepLeavesWhatWasThere)
{
    TestFolder tree;
    tree.writeFile("source", "new");
    tree.writeFile("taken", "old");
    tree.makeFolder("folder");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((tree / "fifo").c_str(), 0600), 0);
#endif
    const FileOperations &operations = FileOperations::native();
    std::vector<std::string> created;
    std::string blocking;
    const struct {
        const char *name;
        std::error_code error;
        std::errc expected;
    } cases[] = {
        {"copy onto an entry", operations.copyToNewFile(tree / "source", tree / "taken"), std::errc::file_exists},
        {"copy of nothing", operations.copyToNewFile(tree / "none", tree / "taken"), std::errc::no_such_file_or_directory},
        {"copy of a folder", operations.copyToNewFile(tree / "folder", tree / "taken"), std::errc::operation_not_supported},
#ifndef _WIN32
        {"copy of a FIFO", operations.copyToNewFile(tree / "fifo", tree / "taken"), std::errc::operation_not_supported},
#endif
        {"rename onto an entry", operations.renameNoReplace(tree / "source", tree / "taken"), std::errc::file_exists},
        {"folders through a file", operations.makeFolders(tree / "taken/a/b", created, &blocking), std::errc::not_a_directory},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.error, c.expected) << c.name << ": " << c.error.message();
        EXPECT_EQ(TestFolder::readFile(tree / "taken"), "old") << c.name;
    }
    EXPECT_EQ(TestFolder::readFile(tree / "source"), "new");
    EXPECT_TRUE(created.empty());
    EXPECT_EQ(blocking, tree / "taken");
}

// Across file systems a hard-linked file becomes a file of its own; the report says so.
TEST(MoveUnused, SaysWhenAHardLinkWasSplit)
{
#ifdef _WIN32
    GTEST_SKIP() << "link counts come from the POSIX file operations";
#endif
    struct OtherFileSystem : FileOperations {
        std::error_code renameNoReplace(const std::string &from, const std::string &to) const override
        {
            return from.find("audio") != to.find("audio") ? std::make_error_code(std::errc::cross_device_link)
                                                          : FileOperations::renameNoReplace(from, to);
        }
    };
    TestFolder tree;
    tree.writeFile("schemes/a.sch", "\"s\"\nused\n");
    tree.writeFile("audio/one.ogg", "1");
    fs::create_hard_link(fsPath(tree / "audio/one.ogg"), fsPath(tree / "kept"));
    MoveRequest request;
    request.scan = {tree / "schemes", tree / "audio", false, false, {}};
    request.quarantineFolder = tree / "q";
    request.allUnreferenced = true;
    const CleanupOutcome outcome = moveUnusedSounds(request, FileSystem::native(), OtherFileSystem());
    ASSERT_EQ(outcome.count(FileResult::Moved), 1u);
    EXPECT_NE(outcome.files[0].message.find("the link was split"), std::string::npos) << outcome.files[0].message;
}

} // namespace
