// vorrel-scan-bench: times the scan on a tree made by vorrel-scan-generate.
//
//   vorrel-scan-bench [--repeat N] TREE
//
// (a) the scan as the window runs it, with subfolders on both sides;
// (b) the I/O floor: walking both trees and reading every scheme byte,
//     doing nothing else;
// (c) the comparison done as a nested linear search over linked lists,
//     on the same lists the scan builds.
// (a) and (b) run N times each (default 10), taking turns, after one warm-up;
// the best time counts, so that the figures measure the code and not a cold
// disk cache or a busy moment. (c) runs once: it only computes, and slowly.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <forward_list>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "scan/folder_walkers.h"
#include "scan/scan_run.h"
#include "scan/scheme_reader.h"
#include "toolkit/filesystem/directory_stream.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()> &work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The best of `repeat` runs of each piece of work, after one warm-up run
// (which fills the page cache and the allocator). The pieces take turns, so
// that a busy moment of the machine weighs on all of them alike.
std::vector<double> bestMilliseconds(int repeat, const std::vector<std::function<void()>> &works)
{
    std::vector<double> best(works.size(), 1e300);
    for (const auto &work : works)
        work();
    for (int i = 0; i < repeat; ++i) {
        for (std::size_t w = 0; w < works.size(); ++w)
            best[w] = std::min(best[w], millisecondsOf(works[w]));
    }
    return best;
}

double peakMegabytes()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

// Reads every byte of `path`; returns how many there were.
std::size_t readWhole(const std::string &path)
{
    const int file = ::open(path.c_str(), O_RDONLY);
    if (file < 0)
        return 0;
    static char buffer[1 << 16];
    std::size_t total = 0;
    ssize_t got;
    while ((got = ::read(file, buffer, sizeof buffer)) > 0)
        total += static_cast<std::size_t>(got);
    ::close(file);
    return total;
}

// The I/O floor of one tree: list every folder, read every file if asked.
std::size_t walkFloor(const std::string &folder, bool readFiles)
{
    std::size_t work = 0;
    std::vector<std::string> subfolders;
    {
        DirectoryStream listing(folder);
        while (const dirent *entry = listing.next()) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            ++work;
            if (entry->d_type == DT_DIR)
                subfolders.push_back(folder + "/" + name);
            else if (readFiles)
                work += readWhole(folder + "/" + name);
        }
    }
    for (const std::string &subfolder : subfolders)
        work += walkFloor(subfolder, readFiles);
    return work;
}

// The comparison as a nested linear search: for each reference, walk the
// audio list from its head to see whether it holds the name, then walk it
// again to unlink the first node of that name.
std::size_t nestedComparison(std::forward_list<std::string> audio, const std::vector<SchemeReference> &references)
{
    for (const SchemeReference &reference : references) {
        if (audio.empty())
            break;
        if (std::find(audio.begin(), audio.end(), reference.name) == audio.end())
            continue;
        for (auto before = audio.before_begin(), node = audio.begin(); node != audio.end(); before = node++) {
            if (*node == reference.name) {
                audio.erase_after(before);
                break;
            }
        }
    }
    return static_cast<std::size_t>(std::distance(audio.begin(), audio.end()));
}

} // namespace

int main(int argc, char **argv)
{
    int repeat = 10;
    std::string tree;
    bool usageError = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (tree.empty() && argument.rfind("--", 0) != 0)
            tree = argument;
        else
            usageError = true;
    }
    if (tree.empty() || usageError) {
        std::cerr << "usage: vorrel-scan-bench [--repeat N] TREE   (TREE made by vorrel-scan-generate)\n";
        return 2;
    }
    const std::string schemesFolder = tree + "/schemes";
    const std::string audioFolder = tree + "/audio";

    const ScanRequest request{schemesFolder, audioFolder, true, true, ""};
    std::size_t reportLines = 0;
    std::size_t floorWork = 0;
    const std::vector<double> scanAndFloor = bestMilliseconds(
        repeat, {[&] { reportLines = runScan(request).size(); },
                 [&] { floorWork = walkFloor(schemesFolder, true) + walkFloor(audioFolder, false); }});
    const double scan = scanAndFloor[0];
    const double floor = scanAndFloor[1];
    const double peakAfterScan = peakMegabytes();

    // The same lists the scan builds, made once, outside the timing.
    const FileSystem &fs = FileSystem::native();
    FileNameList schemes;
    FileNameList audio;
    std::vector<UnreadablePath> skipped;
    collectRecursive(fs, schemesFolder, schemes, false, skipped);
    collectRecursive(fs, audioFolder, audio, true, skipped);
    std::vector<SchemeReference> references;
    std::vector<UnreadablePath> unreadable;
    SchemeReader(fs).readSchemes(schemes, references, unreadable);
    std::forward_list<std::string> audioNames;
    auto tail = audioNames.before_begin();
    for (const FileNameNode &node : audio)
        tail = audioNames.insert_after(tail, node.name);
    std::size_t nestedRemaining = 0;
    // Pure computation on lists in memory, and slow: one run says enough.
    const double nested = millisecondsOf([&] { nestedRemaining = nestedComparison(audioNames, references); });

    if (nestedRemaining + 2 != reportLines && !(nestedRemaining == 0 && reportLines == 1)) {
        std::cerr << "the nested comparison left " << nestedRemaining << " files but the report has " << reportLines
                  << " lines\n";
        return 1;
    }

    std::printf("tree: %s (%zu scheme files, %zu references, %zu audio files, %zu unreferenced)\n", tree.c_str(),
                schemes.size(), references.size(), audio.size(), nestedRemaining);
    std::printf("(a) scan with subfolders   %9.1f ms\n", scan);
    std::printf("(b) I/O floor              %9.1f ms\n", floor);
    std::printf("(c) nested comparison      %9.1f ms\n", nested);
    std::printf("a/b = %.2f   c/a = %.1f\n", scan / floor, nested / scan);
    std::printf("peak memory: %.1f MiB after (a) and (b), %.1f MiB at the end\n", peakAfterScan, peakMegabytes());
    return 0;
}
