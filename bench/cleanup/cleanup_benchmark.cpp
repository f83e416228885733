// vorrel-cleanup-bench: times moving the unreferenced files of a tree made by
// vorrel-scan-generate into a quarantine folder and restoring them.
//
//   vorrel-cleanup-bench [--rounds N] TREE
//
// Each round, on the same file system (the quarantine folder is made inside
// TREE, beside its audio folder):
// (a) the floor: the same renames done by a plain loop of rename(2) calls,
//     there and back, into folders made beforehand;
// (b) the move as the clean-up does it: a new scan, then per file an update
//     of the manifest recording the intent, a rename that never replaces and
//     an update marking it done (each update: the version before cut after
//     the shared entries and completed, swapped with the current one), and
//     one flush of the manifest at the end;
// (c) the restore from that manifest, which removes it and the empty folders.
// The scan inside (b) is timed on its own too, and (b) without it is the
// scan's time taken from the move's. The best round counts. The
// tree is as it was after every round.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <stdio.h>

#include "cleanup/move_unused.h"
#include "cleanup/restore_moved.h"
#include "scan/scan_run.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double millisecondsOf(const std::function<void()> &work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "vorrel-cleanup-bench: %s\n", what.c_str());
    std::exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    int rounds = 5;
    std::string tree;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (tree.empty() && argument.rfind("--", 0) != 0)
            tree = argument;
        else
            fail("usage: vorrel-cleanup-bench [--rounds N] TREE");
    }
    if (tree.empty())
        fail("usage: vorrel-cleanup-bench [--rounds N] TREE");
    tree = fs::canonical(tree).string();
    const ScanRequest scan{tree + "/schemes", tree + "/audio", true, true, {}};
    const ScanDetails details = runScanDetailed(scan);
    if (details.unreferenced.empty())
        fail("no unreferenced files in " + tree + " (made by vorrel-scan-generate?)");
    const std::string quarantine = tree + "/quarantine";
    if (fs::exists(quarantine))
        fail(quarantine + " exists; remove it first");

    std::vector<std::pair<std::string, std::string>> renames;
    for (const UnreferencedAudio &file : details.unreferenced)
        renames.emplace_back(file.path, quarantine + "/" + fs::path(file.path).lexically_relative(details.audioFolder).string());

    double best[4] = {1e300, 1e300, 1e300, 1e300};  // floor there and back, scan, move, restore
    for (int round = 0; round < rounds; ++round) {
        for (const auto &[from, to] : renames)
            fs::create_directories(fs::path(to).parent_path());
        best[0] = std::min(best[0], millisecondsOf([&] {
            for (const auto &[from, to] : renames)
                if (::rename(from.c_str(), to.c_str()) != 0)
                    fail("rename " + from);
            for (const auto &[from, to] : renames)
                if (::rename(to.c_str(), from.c_str()) != 0)
                    fail("rename " + to);
        }));
        fs::remove_all(quarantine);

        best[1] = std::min(best[1], millisecondsOf([&] { runScanDetailed(scan); }));

        MoveRequest request;
        request.scan = scan;
        request.quarantineFolder = quarantine;
        request.allUnreferenced = true;
        request.includeNearMisses = true;
        CleanupOutcome moved;
        best[2] = std::min(best[2], millisecondsOf([&] {
            moved = moveUnusedSounds(request, FileSystem::native(), FileOperations::native());
        }));
        if (!moved.complete() || moved.count(FileResult::Moved) != renames.size())
            fail("the move did not move every file: " + moved.error);
        CleanupOutcome restored;
        best[3] = std::min(best[3], millisecondsOf([&] {
            restored = restoreMovedSounds(moved.manifestPath, FileOperations::native());
        }));
        if (!restored.complete() || restored.count(FileResult::Restored) != renames.size() || fs::exists(quarantine))
            fail("the restore did not bring every file back: " + restored.error);
    }

    const double floorOneWay = best[0] / 2;
    const double moveWithoutScan = best[2] - best[1];
    std::printf("tree: %s, %zu unreferenced files, best of %d rounds\n", tree.c_str(), renames.size(), rounds);
    std::printf("(a) rename(2) loop, one way:        %9.1f ms\n", floorOneWay);
    std::printf("(b) move (scan + files + manifest): %9.1f ms  = %.1fx the loop\n", best[2], best[2] / floorOneWay);
    std::printf("    the re-scan alone:              %9.1f ms  = %.1fx the loop\n", best[1], best[1] / floorOneWay);
    std::printf("    the move without the scan:      %9.1f ms  = %.1fx the loop\n", moveWithoutScan,
                moveWithoutScan / floorOneWay);
    std::printf("(c) restore:                        %9.1f ms  = %.1fx the loop\n", best[3], best[3] / floorOneWay);
    return 0;
}
