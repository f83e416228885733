// Stops a move and a restore at every step they take through the file
// operations, as a kill would (a child process ends there without running
// a destructor), then checks what the disk holds and that the next restore
// brings the tree back as it was.

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cleanup/move_unused.h"
#include "cleanup/quarantine_manifest.h"
#include "cleanup/restore_moved.h"
#include "tests/support/test_folder.h"

namespace {

namespace fs = std::filesystem;

// The machine's file operations, ending the process before step `stopAt`
// (counted from 0) of those that change the disk; a copy stopped there
// leaves half a file. With `twoFileSystems` a rename between the audio
// folder and the quarantine folder reports another file system.
struct StoppingOperations : FileOperations {
    bool twoFileSystems = false;
    long stopAt = -1;
    mutable long steps = 0;

    void step() const
    {
        if (steps++ == stopAt)
            ::_exit(0);
    }
    std::error_code renameNoReplace(const std::string &from, const std::string &to) const override
    {
        step();
        const auto away = [](const std::string &path) { return path.find("/q/") != std::string::npos; };
        return twoFileSystems && away(from) != away(to) ? std::error_code(EXDEV, std::generic_category())
                                                        : FileOperations::renameNoReplace(from, to);
    }
    std::error_code copyToNewFile(const std::string &from, const std::string &to) const override
    {
        if (steps == stopAt) {
            std::string content;
            FileOperations::readFile(from, content);
            FileOperations::rewriteTail(to, 0, content.substr(0, content.size() / 2), true);
        }
        return step(), FileOperations::copyToNewFile(from, to);
    }
    // clang-format off
    std::error_code removeFile(const std::string &p) const override { return step(), FileOperations::removeFile(p); }
    std::error_code makeFolders(const std::string &p, std::vector<std::string> &c, std::string *b) const override { return step(), FileOperations::makeFolders(p, c, b); }
    std::error_code removeEmptyFolder(const std::string &p) const override { return step(), FileOperations::removeEmptyFolder(p); }
    std::error_code rewriteTail(const std::string &p, std::uintmax_t o, std::string_view t, bool n) const override { return step(), FileOperations::rewriteTail(p, o, t, n); }
    std::error_code flushFile(const std::string &p) const override { return step(), FileOperations::flushFile(p); }
    std::error_code linkNoReplace(const std::string &e, const std::string &l) const override { return step(), FileOperations::linkNoReplace(e, l); }
    std::error_code exchangeFiles(const std::string &a, const std::string &b) const override { return step(), FileOperations::exchangeFiles(a, b); }
    std::error_code renameReplacing(const std::string &f, const std::string &t) const override { return step(), FileOperations::renameReplacing(f, t); }
    // clang-format on
};

// Every entry below `root`: a file's mode, time and bytes, a link's target.
std::map<std::string, std::string> snapshot(const std::string &root)
{
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (const auto &entry : fs::recursive_directory_iterator(root, error)) {
        const std::string path = entry.path().string();
        struct stat status {};
        ::lstat(path.c_str(), &status);
        std::string &seen = entries[path.substr(root.size())];
        if (S_ISLNK(status.st_mode))
            seen = "link to " + fs::read_symlink(entry.path(), error).string();
        else if (S_ISREG(status.st_mode))
            seen = std::to_string(status.st_mode) + ' ' + std::to_string(status.st_mtim.tv_sec) + '.'
                   + std::to_string(status.st_mtim.tv_nsec) + ' '
                   + TestFolder::readFile(path);
    }
    return entries;
}

struct Tree {
    TestFolder tree;
    Tree()
    {
        tree.writeFile("schemes/a.sch", "\"s\"\nused\n");
        tree.writeFile("audio/used.ogg", "u");
        tree.writeFile("audio/x/one.ogg", "11111");
        tree.writeFile("audio/x/y/back\\slash.ogg", "333");  // one name on POSIX
        tree.writeFile("audio/shared.ogg", "22");
        ::chmod((tree / "audio/shared.ogg").c_str(), 02666);  // more than the umask lets a new file have
        fs::create_symlink("x/one.ogg", tree / "audio/link.ogg");
        fs::create_hard_link(tree / "audio/x/one.ogg", tree / "one-again");
    }
    MoveRequest request() const
    {
        MoveRequest request;
        request.scan = {tree / "schemes", tree / "audio", false, true, {}};
        request.quarantineFolder = tree / "q";
        request.allUnreferenced = true;
        return request;
    }
    std::string manifest() const { return tree / "q/" + QuarantineManifest::fileName; }

    // Each sound is whole at home or in the quarantine folder, and every
    // entry there but folders is the manifest, a file it lists, a temporary
    // or spare it names.
    void checkAccountedFor(const std::map<std::string, std::string> &before) const
    {
        const auto now = snapshot(tree.path());
        for (const auto &[path, seen] : before)
            if (path.starts_with("/audio/") && !seen.empty()) {
                const auto home = now.find(path), away = now.find("/q" + path.substr(6));
                EXPECT_TRUE((home != now.end() && home->second == seen) || (away != now.end() && away->second == seen))
                    << path;
            }
        std::string text;
        QuarantineManifest manifest;
        if (FileOperations::native().readFile(this->manifest(), text))
            return;
        ASSERT_EQ(manifestFromText(text, manifest), "");
        std::set<std::string> named{"/q/" + std::string(QuarantineManifest::fileName)}, temporaries;
        for (const std::string &spare : manifest.spareFiles)
            named.insert("/q/" + spare);
        for (const QuarantinedFile &file : manifest.files) {
            named.insert("/q/" + file.quarantinedPath);
            temporaries.insert(file.temporary);
        }
        for (const auto &[path, seen] : now)
            if (!seen.empty() && !before.contains(path)) {
                EXPECT_TRUE(named.contains(path) || temporaries.contains(fs::path(path).filename().string()))
                    << path << " is not accounted for";
            }
    }
};

TEST(CrashPoints, AStopAtAnyStepOfAMoveOrRestoreLosesNothingAndTheNextRestoreBringsTheTreeBack)
{
    const mode_t umask = ::umask(022);
    long covered = 0;
    int status = 0;
    for (const bool restoring : {false, true})
        for (const bool twoFileSystems : {false, true})
            for (long stopAt = 0;; ++stopAt) {
                SCOPED_TRACE((restoring ? "restore" : "move") + std::string(twoFileSystems ? " across" : "")
                             + " stopped at step " + std::to_string(stopAt));
                Tree tree;
                const auto before = snapshot(tree.tree.path());
                StoppingOperations operations;
                operations.twoFileSystems = twoFileSystems;
                if (restoring) {
                    const CleanupOutcome moved = moveUnusedSounds(tree.request(), FileSystem::native(), operations);
                    ASSERT_TRUE(moved.complete());
                    for (const FileReport &file : moved.files)  // one.ogg has a second name outside
                        EXPECT_EQ(file.message.find("the link was split") != std::string::npos,
                                  twoFileSystems && file.path.ends_with("one.ogg"));
                }
                if (const pid_t child = ::fork(); child == 0) {  // exits 0 when stopped, 1 at the end
                    operations.stopAt = stopAt;
                    operations.steps = 0;
                    if (restoring)
                        restoreMovedSounds(tree.manifest(), operations);
                    else
                        moveUnusedSounds(tree.request(), FileSystem::native(), operations);
                    ::_exit(1);
                } else {
                    ::waitpid(child, &status, 0);
                }
                const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 1;
                ASSERT_TRUE(WIFEXITED(status));
                tree.checkAccountedFor(before);
                if (fs::exists(tree.manifest()))
                    EXPECT_TRUE(restoreMovedSounds(tree.manifest(), operations).complete());
                else if (!finished)  // stopped before the manifest was there: only the new, empty folder
                    fs::remove(tree.tree / "q");
                EXPECT_EQ(snapshot(tree.tree.path()), before);
                ++covered;
                if (finished || ::testing::Test::HasFailure())
                    break;
            }
    ::umask(umask);
    std::printf("crash points covered: %ld\n", covered);
}

} // namespace
