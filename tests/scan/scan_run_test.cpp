#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "scan/scan_details.h"
#include "scan/scan_report.h"
#include "tests/toolkit/filesystem/temp_tree.h"

namespace {

using Lines = std::vector<std::string>;

const Lines noSchemes = {"Scanning started, please wait.", "Error, empty folder or wrong path."};
const Lines readingError = {"Directory reading error.", "Scan termined."};
const Lines finished = {"Scan termined."};
const char *wind = "\"s\"\nwind\n";

ScanRequest request(const TempTree &tree, const std::string &schemes, const std::string &audio, bool schemesSub = false,
                    bool audioSub = false)
{
    return ScanRequest{schemes, audio, schemesSub, audioSub, tree.root()};
}

TEST(ScanRun, ReportShapes)
{
    const struct {
        const char *label;
        std::vector<std::pair<std::string, std::string>> schemes;  // path under schemes/, content
        Lines audio;                                               // paths under audio/
        bool schemesSub, audioSub;
        Lines report;
    } cases[] = {
        {"NoSchemeFile", {{"readme.txt", ""}}, {"wind.ogg"}, false, false, noSchemes},
        {"SomeUnreferenced", {{"a.sch", wind}}, {"wind.ogg", "rain.ogg", "Zap.ogg"}, false, false,
         {"rain", "Zap", "", "Scan termined."}},
        {"FlatAudioFoundNothing", {{"a.sch", wind}}, {"wind.wav"}, false, false, readingError},
        {"RecursiveAudioWithoutOggIsNoError", {{"a.sch", wind}}, {"sub/x.wav"}, false, true, finished},
        {"SameNameInTwoFoldersReferencedOnce", {{"a.sch", "\"s\"\nrain\n"}}, {"wind.ogg", "rain.ogg", "sub/rain.ogg"},
         false, true, {"rain", "wind", "", "Scan termined."}},
        {"SameNameInTwoFoldersReferencedTwice", {{"a.sch", "\"s\"\nrain\n\"t\"\nrain\n"}}, {"rain.ogg", "sub/rain.ogg"},
         false, true, finished},
        {"MissingAudioIsNotReported", {{"a.sch", "\"s\"\nthunder\n"}}, {"wind.ogg"}, false, false,
         {"wind", "", "Scan termined."}},
        {"CrLfSchemes", {{"a.sch", "\"s\"\r\nwind\r\n"}}, {"wind.ogg"}, false, false, finished},
        {"PendingCarriedIntoTheNextFile", {{"a.sch", "\"s\"\n"}, {"b/b.sch", "wind\n"}}, {"wind.ogg"}, true, false,
         finished},
        // Each case runs twice: a run that ends pending must not leak into the next.
        {"PendingNotCarriedIntoTheNextRun", {{"a.sch", "first\n\"s\"\nwind\n"}, {"b.sch", "\"t\"\n"}},
         {"first.ogg", "wind.ogg"}, false, false, {"first", "", "Scan termined."}},
    };
    for (const auto &c : cases) {
        TempTree tree;
        for (const auto &[path, content] : c.schemes)
            tree.file("schemes/" + path, content);
        for (const std::string &path : c.audio)
            tree.file("audio/" + path);
        for (int run = 1; run <= 2; ++run)
            EXPECT_EQ(runScan(request(tree, "schemes", "audio", c.schemesSub, c.audioSub)), c.report) << c.label << run;
    }
}

TEST(ScanRun, FolderThatCannotBeEnteredEndsTheScanAndNothingElseIsWalked)
{
    TempTree tree;
    // The base folder holds schemes and audio: it must never stand in for a
    // folder asked for, nor may the audio folder be read without schemes.
    for (const char *path : {"base.sch", "wind.ogg", "file.sch", "locked/in.ogg", "schemes/a.sch", "schemes/stray.ogg",
                             "audio/wind.ogg", "empty/sub/x.txt"})
        tree.file(path, wind);
    RefusingFileSystem fs;
    fs.refusedFolders.insert(tree.path("locked"));
    for (const bool sub : {false, true}) {
        for (const std::string &bad : Lines{"", "missing", "file.sch", "locked", tree.path("missing/"), "empty"}) {
            fs.searchedFolders.clear();
            EXPECT_EQ(runScanDetailed(request(tree, bad, "audio", sub, sub), fs).lines, noSchemes) << bad << sub;
            const std::string asked = bad.empty() ? "\n" : bad[0] == '/' ? bad : tree.path(bad);
            for (const std::string &searched : fs.searchedFolders)
                EXPECT_EQ(searched.rfind(asked, 0), 0u) << "walked " << searched << " for '" << bad << "'";
            if (bad != "empty") {
                EXPECT_EQ(runScanDetailed(request(tree, "schemes", bad, sub, sub), fs).lines, readingError)
                    << bad << sub;
            }
        }
    }
}

TEST(ScanRun, RelativeFoldersResolveAgainstTheBaseAndTheWorkingFolderStays)
{
    TempTree tree;
    tree.file("mod/schemes/a.sch", wind);
    tree.file("mod/audio/wind.ogg");
    tree.file("mod/audio/sub/rain.ogg");
    const Lines expected = {"rain", "", "Scan termined."};
    ScanRequest r{"schemes/", "./audio/../audio", false, true, tree.path("mod")};
    EXPECT_EQ(runScan(r), expected);
    // Without a base folder the current folder is the base; no run, failed
    // or not, leaves it changed.
    const std::string previous = FileSystem::posix().GetCurrentDirectoryA();
    ASSERT_EQ(::chdir(tree.path("mod").c_str()), 0);
    r.baseFolder.clear();
    const Lines fromCurrent = runScan(r);
    const Lines audioMissing = runScan({"schemes", "missing", false, false, ""});
    const Lines schemesMissing = runScan({"missing", "audio", true, true, ""});
    const std::string after = FileSystem::posix().GetCurrentDirectoryA();
    ASSERT_EQ(::chdir(previous.c_str()), 0);
    EXPECT_EQ(fromCurrent, expected);
    EXPECT_EQ(audioMissing, readingError);
    EXPECT_EQ(schemesMissing, noSchemes);
    EXPECT_EQ(after, tree.path("mod"));
}

TEST(ScanRun, WhatCannotBeReadIsSkippedAndWarnedAboveTheList)
{
    TempTree tree;
    tree.file("schemes/a/a.sch", wind);
    tree.file("schemes/b/b.sch", "\"s\"\nrain\n");
    tree.file("schemes/c/c.sch", "\"s\"\nthunder\n");
    tree.file("schemes/c/d.sch", "\"s\"\ncrickets\n");
    for (const char *path : {"audio/a/wind.ogg", "audio/b/rain.ogg", "audio/c/thunder.ogg", "audio/c/crickets.ogg"})
        tree.file(path);
    RefusingFileSystem fs;
    fs.refusedFolders = {tree.path("schemes/b"), tree.path("audio/b")};
    fs.refusedFiles = {tree.path("schemes/c/d.sch")};
    const ScanDetails details = runScanDetailed(request(tree, "schemes", "audio", true, true), fs);
    EXPECT_EQ(details.lines, (Lines{ScanReport::unreadableSchemeFolder(tree.path("schemes/b")),
                                    ScanReport::unreadableSchemeFile(tree.path("schemes/c/d.sch")), "crickets", "",
                                    "Scan termined."}));
    EXPECT_EQ(details.lines[0].rfind("Warning: ", 0), 0u);
    EXPECT_NE(details.lines[1].find(tree.path("schemes/c/d.sch")), std::string::npos);
    EXPECT_EQ(details.unreadableAudioFolders, Lines{tree.path("audio/b")});
}

} // namespace
