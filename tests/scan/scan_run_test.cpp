#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "scan/scan_run.h"
#include "scan/scan_report.h"
#include "tests/support/process_state.h"
#include "tests/support/refusing_file_system.h"
#include "tests/support/test_folder.h"

namespace {

using Lines = std::vector<std::string>;

const Lines noSchemes = {"Scanning started, please wait.", "Error, empty folder or wrong path."};
const Lines readingError = {"Directory reading error.", "Scan termined."};
const Lines finished = {"Scan termined."};
const char *wind = "\"s\"\nwind\n";

TEST(ScanRun, ReportShapes)
{
    const struct {
        std::vector<std::pair<std::string, std::string>> schemes;  // path under schemes/, content
        Lines audio;                                               // paths under audio/
        bool schemesSub, audioSub;
        Lines report;
    } cases[] = {
        {{{"readme.txt", ""}}, {"wind.ogg"}, false, false, noSchemes},
        {{{"a.sch", wind}}, {"wind.ogg", "rain.ogg", "Zap.ogg"}, false, false, {"rain", "Zap", "", "Scan termined."}},
        {{{"a.sch", wind}}, {"wind.wav"}, false, false, readingError},
        {{{"a.sch", wind}}, {"sub/x.wav"}, false, true, finished},  // recursive audio without .ogg is no error
        // The same name in two folders, referenced once, then twice.
        {{{"a.sch", "\"s\"\nrain\n"}}, {"wind.ogg", "rain.ogg", "sub/rain.ogg"}, false, true,
         {"rain", "wind", "", "Scan termined."}},
        {{{"a.sch", "\"s\"\nrain\n\"t\"\nrain\n"}}, {"rain.ogg", "sub/rain.ogg"}, false, true, finished},
        {{{"a.sch", "\"s\"\nthunder\n"}}, {"wind.ogg"}, false, false, {"wind", "", "Scan termined."}},  // no missing
        {{{"a.sch", "\"s\"\r\nwind\r\n"}}, {"wind.ogg"}, false, false, finished},
        {{{"a.sch", "\"s\"\n"}, {"b/b.sch", "wind\n"}}, {"wind.ogg"}, true, false, finished},  // pending goes on
        // Each case runs twice: a run that ends pending must not leak into the next.
        {{{"a.sch", "first\n\"s\"\nwind\n"}, {"b.sch", "\"t\"\n"}}, {"first.ogg", "wind.ogg"}, false, false,
         {"first", "", "Scan termined."}},
    };
    for (const auto &c : cases) {
        TestFolder tree;
        for (const auto &[path, content] : c.schemes)
            tree.writeFile("schemes/" + path, content);
        for (const std::string &path : c.audio)
            tree.writeFile("audio/" + path);
        for (int run : {1, 2})
            EXPECT_EQ(runScan({"schemes", "audio", c.schemesSub, c.audioSub, tree.path()}), c.report)
                << "case " << &c - cases << ", run " << run;
    }
}

TEST(ScanRun, FolderThatCannotBeEnteredEndsTheScanAndNothingElseIsWalked)
{
    TestFolder tree;
    // The base folder holds schemes and audio: it must never stand in for a
    // folder asked for, nor may the audio folder be read without schemes.
    for (const char *path : {"base.sch", "wind.ogg", "file.sch", "locked/in.ogg", "schemes/a.sch", "schemes/stray.ogg",
                             "audio/wind.ogg", "empty/sub/x.txt"})
        tree.writeFile(path, wind);
    RefusingFileSystem fs;
    fs.refusedFolders.insert(tree / "locked");
    for (const bool sub : {false, true}) {
        for (const std::string &bad : Lines{"", "missing", "file.sch", "locked", tree / "missing/", "empty"}) {
            fs.searchedFolders.clear();
            EXPECT_EQ(runScanDetailed({bad, "audio", sub, sub, tree.path()}, fs).lines, noSchemes) << bad << sub;
            const std::string asked = bad.empty() ? "\n" : isAbsolutePath(bad) ? bad : (tree / bad);
            for (const std::string &searched : fs.searchedFolders)
                EXPECT_EQ(searched.rfind(asked, 0), 0u) << bad;
            if (bad != "empty") {
                EXPECT_EQ(runScanDetailed({"schemes", bad, sub, sub, tree.path()}, fs).lines, readingError) << bad;
            }
        }
    }
}

TEST(ScanRun, RelativeFoldersResolveAgainstTheBaseAndTheWorkingFolderStays)
{
    TestFolder tree;
    tree.writeFile("mod/schemes/a.sch", wind);
    tree.writeFile("mod/audio/wind.ogg");
    tree.writeFile("mod/audio/sub/rain.ogg");
    const Lines expected = {"rain", "", "Scan termined."};
    ScanRequest r{"schemes/", "./audio/../audio", false, true, tree / "mod"};
    EXPECT_EQ(runScan(r), expected);
    // Without a base folder the current folder is the base; no run, failed
    // or not, leaves it changed.
    const WorkingFolderScope inMod(tree / "mod");
    r.baseFolder.clear();
    EXPECT_EQ(runScan(r), expected);
    EXPECT_EQ(runScan({"schemes", "missing", false, false, ""}), readingError);
    EXPECT_EQ(runScan({"missing", "audio", true, true, ""}), noSchemes);
    EXPECT_EQ(FileSystem::native().GetCurrentDirectoryA(), (tree / "mod"));
}

TEST(ScanRun, WhatCannotBeReadIsSkippedAndWarnedAboveTheList)
{
    TestFolder tree;
    for (const std::string name : {"a/wind", "b/rain", "c/thunder", "c/crickets"}) {
        tree.writeFile("audio/" + name + ".ogg");
        tree.writeFile("schemes/" + name + ".sch", "\"s\"\n" + name.substr(2) + "\n");
    }
    const std::string locked = tree / "schemes/c/thunder.sch";  // read after crickets.sch
    RefusingFileSystem fs;
    fs.refusedFolders = {(tree / "schemes/b"), tree / "audio/b"};
    fs.refusedFiles = {locked};
    const ScanDetails details = runScanDetailed({"schemes", "audio", true, true, tree.path()}, fs);
    EXPECT_EQ(details.lines, (Lines{ScanReport::unreadableSchemeFolder(tree / "schemes/b"),
                                    ScanReport::unreadableSchemeFile(locked), "thunder", "", "Scan termined."}));
    EXPECT_EQ(details.lines[0].rfind("Warning: ", 0), 0u);
    EXPECT_NE(details.lines[1].find(locked), std::string::npos);
    ASSERT_EQ(details.unreadableAudioFolders.size(), 1u);
    EXPECT_EQ(details.unreadableAudioFolders[0].path, tree / "audio/b");
}

} // namespace
