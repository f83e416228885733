#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "scan/scan_details.h"
#include "scan/scan_report.h"
#include "scan/scan_run.h"
#include "tests/toolkit/filesystem/temp_tree.h"

namespace {

using Lines = std::vector<std::string>;

const Lines noSchemes = {"Scanning started, please wait.", "Error, empty folder or wrong path."};
const Lines readingError = {"Directory reading error.", "Scan termined."};

ScanRequest request(const TempTree &tree, const std::string &schemes, const std::string &audio, bool schemesSub = false,
                    bool audioSub = false)
{
    ScanRequest r;
    r.schemesFolder = schemes;
    r.audioFolder = audio;
    r.schemesSubfolders = schemesSub;
    r.audioSubfolders = audioSub;
    r.baseFolder = tree.root();
    return r;
}

// Changes the process's working folder for one test and back.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string &folder) : m_previous(FileSystem::posix().GetCurrentDirectoryA())
    {
        EXPECT_EQ(::chdir(folder.c_str()), 0);
    }
    ~WorkingFolder() { EXPECT_EQ(::chdir(m_previous.c_str()), 0); }

private:
    std::string m_previous;
};

// One whole run per row: a tree, the check boxes, the report.
struct ShapeCase {
    const char *label;
    std::vector<std::pair<std::string, std::string>> files;
    bool schemesSub;
    bool audioSub;
    Lines report;
};

void PrintTo(const ShapeCase &c, std::ostream *out)
{
    *out << c.label;
}

class ScanRunShapes : public testing::TestWithParam<ShapeCase> {};

TEST_P(ScanRunShapes, ReportIsExactlyAsShown)
{
    TempTree tree;
    tree.folder("schemes");
    tree.folder("audio");
    for (const auto &[path, content] : GetParam().files)
        tree.file(path, content);
    const Lines lines = runScan(request(tree, "schemes", "audio", GetParam().schemesSub, GetParam().audioSub));
    EXPECT_EQ(lines, GetParam().report);
}

const char *quotedWind = "\"s\"\nwind\n";

INSTANTIATE_TEST_SUITE_P(
    Reports, ScanRunShapes,
    testing::Values(
        ShapeCase{"NoSchemeFile", {{"schemes/readme.txt", ""}, {"audio/wind.ogg", ""}}, false, false, noSchemes},
        ShapeCase{"SchemesOnlyInSubfolderFlat", {{"schemes/sub/a.sch", quotedWind}, {"audio/wind.ogg", ""}}, false, false,
                  noSchemes},
        ShapeCase{"EveryAudioReferenced", {{"schemes/a.sch", quotedWind}, {"audio/wind.ogg", ""}}, false, false,
                  {"Scan termined."}},
        ShapeCase{"SomeUnreferenced",
                  {{"schemes/a.sch", quotedWind}, {"audio/wind.ogg", ""}, {"audio/rain.ogg", ""}, {"audio/Zap.ogg", ""}},
                  false, false, {"rain", "Zap", "", "Scan termined."}},
        ShapeCase{"FlatAudioFoundNothing", {{"schemes/a.sch", quotedWind}, {"audio/wind.wav", ""}}, false, false,
                  readingError},
        ShapeCase{"RecursiveAudioWithoutOggIsNoError", {{"schemes/a.sch", quotedWind}, {"audio/sub/x.wav", ""}}, false,
                  true, {"Scan termined."}},
        ShapeCase{"RainOnceWithSubfolder",
                  {{"schemes/a.sch", "\"s\"\nrain\n"}, {"audio/wind.ogg", ""}, {"audio/rain.ogg", ""},
                   {"audio/sub/rain.ogg", ""}},
                  false, true, {"rain", "wind", "", "Scan termined."}},
        ShapeCase{"RainTwiceWithSubfolder",
                  {{"schemes/a.sch", "\"s\"\nrain\n\"t\"\nrain\n"}, {"audio/wind.ogg", ""}, {"audio/rain.ogg", ""},
                   {"audio/sub/rain.ogg", ""}},
                  false, true, {"wind", "", "Scan termined."}},
        ShapeCase{"TrailingBlankDoesNotMatch", {{"schemes/a.sch", "\"s\"\nwind \n"}, {"audio/wind.ogg", ""}}, false, false,
                  {"wind", "", "Scan termined."}},
        ShapeCase{"MissingAudioIsNotReported", {{"schemes/a.sch", "\"s\"\nthunder\n"}, {"audio/wind.ogg", ""}}, false,
                  false, {"wind", "", "Scan termined."}},
        ShapeCase{"CrLfSchemes", {{"schemes/a.sch", "\"s\"\r\nwind\r\n"}, {"audio/wind.ogg", ""}}, false, false,
                  {"Scan termined."}},
        ShapeCase{"UpperCaseOggFoundByFlatWalk", {{"schemes/a.sch", quotedWind}, {"audio/RAIN.OGG", ""}}, false,
                  false, {"RAIN", "", "Scan termined."}},
        ShapeCase{"QuoteStateCarriesIntoSubfolderScheme",
                  {{"schemes/a.sch", "\"s\"\n"}, {"schemes/b/b.sch", "wind\n"}, {"audio/wind.ogg", ""}}, true, false,
                  {"Scan termined."}}),
    [](const testing::TestParamInfo<ShapeCase> &info) { return std::string(info.param.label); });

TEST(ScanRun, SchemesFolderThatCannotBeEnteredWalksNothingElse)
{
    TempTree tree;
    // The base folder itself is full of schemes and audio: it must never be
    // walked in place of the folder asked for.
    tree.file("base.sch", quotedWind);
    tree.file("wind.ogg");
    tree.file("not_a_folder.sch", quotedWind);
    tree.folder("locked");
    tree.file("audio/wind.ogg");
    RefusingFileSystem fs;
    fs.refusedFolders.insert(tree.path("locked"));
    for (const bool sub : {false, true}) {
        for (const std::string &schemes : {std::string(), std::string("missing"), std::string("not_a_folder.sch"),
                                           std::string("locked"), tree.path("missing/")}) {
            fs.searchedFolders.clear();
            EXPECT_EQ(runScanDetailed(request(tree, schemes, "audio", sub, sub), fs).lines, noSchemes)
                << "schemes folder '" << schemes << "' subfolders " << sub;
            for (const std::string &searched : fs.searchedFolders)
                EXPECT_NE(searched, tree.root()) << "walked the base folder for '" << schemes << "'";
            EXPECT_TRUE(fs.searchedFolders.size() <= 1u);
        }
    }
}

TEST(ScanRun, AudioFolderThatCannotBeEnteredListsNoAudio)
{
    TempTree tree;
    tree.file("schemes/a.sch", quotedWind);
    tree.file("stray.ogg");            // in the base folder
    tree.file("schemes/stray2.ogg");   // in the folder the schemes were read from
    tree.file("notes.txt");
    tree.file("locked/inside.ogg");
    RefusingFileSystem fs;
    fs.refusedFolders.insert(tree.path("locked"));
    for (const bool sub : {false, true}) {
        for (const std::string &audio : {std::string(), std::string("missing"), std::string("notes.txt"),
                                         std::string("locked"), tree.path("missing")}) {
            EXPECT_EQ(runScanDetailed(request(tree, "schemes", audio, sub, sub), fs).lines, readingError)
                << "audio folder '" << audio << "' subfolders " << sub;
        }
    }
}

TEST(ScanRun, RelativeFoldersResolveAgainstTheBaseAndTheWorkingFolderStays)
{
    TempTree tree;
    tree.file("mod/schemes/a.sch", quotedWind);
    tree.file("mod/audio/wind.ogg");
    tree.file("mod/audio/sub/rain.ogg");
    const Lines expected = {"rain", "", "Scan termined."};
    ScanRequest r = request(tree, "schemes/", "./audio/../audio", false, true);
    r.baseFolder = tree.path("mod");
    EXPECT_EQ(runScan(r), expected);

    // Without a base folder, the process's current folder is the base; no
    // run, failed or not, leaves it changed.
    WorkingFolder inMod(tree.path("mod"));
    r.baseFolder.clear();
    EXPECT_EQ(runScan(r), expected);
    r.schemesFolder = "missing";
    EXPECT_EQ(runScan(r), noSchemes);
    r.schemesFolder = "schemes";
    r.audioFolder = "missing";
    EXPECT_EQ(runScan(r), readingError);
    EXPECT_EQ(FileSystem::posix().GetCurrentDirectoryA(), tree.path("mod"));
}

TEST(ScanRun, SubfoldersThatCannotBeEnteredAreSkippedAndSchemeLossIsWarned)
{
    TempTree tree;
    tree.file("schemes/a/a.sch", quotedWind);
    tree.file("schemes/b/b.sch", "\"s\"\nrain\n");
    tree.file("schemes/c/c.sch", "\"s\"\nthunder\n");
    tree.file("audio/a/wind.ogg");
    tree.file("audio/b/rain.ogg");
    tree.file("audio/b/hidden_by_lock.ogg");
    tree.file("audio/c/thunder.ogg");
    tree.file("audio/c/crickets.ogg");
    RefusingFileSystem fs;
    fs.refusedFolders = {tree.path("schemes/b"), tree.path("audio/b")};
    const ScanDetails details = runScanDetailed(request(tree, "schemes", "audio", true, true), fs);
    EXPECT_EQ(details.lines, (Lines{ScanReport::unreadableSchemeFolder(tree.path("schemes/b")), "crickets", "",
                                    "Scan termined."}));
    EXPECT_EQ(details.unreadableAudioFolders, Lines{tree.path("audio/b")});
    EXPECT_EQ(details.lines.front().rfind("Warning: ", 0), 0u);
}

TEST(ScanRun, UnreadableSchemeFileIsWarnedAboveTheList)
{
    TempTree tree;
    tree.file("schemes/a.sch", quotedWind);
    tree.file("schemes/b.sch", "\"s\"\nrain\n");
    tree.file("audio/wind.ogg");
    tree.file("audio/rain.ogg");
    RefusingFileSystem fs;
    fs.refusedFiles.insert(tree.path("schemes/b.sch"));
    const Lines lines = runScanDetailed(request(tree, "schemes", "audio"), fs).lines;
    EXPECT_EQ(lines, (Lines{ScanReport::unreadableSchemeFile(tree.path("schemes/b.sch")), "rain", "", "Scan termined."}));
    EXPECT_NE(lines.front().find(tree.path("schemes/b.sch")), std::string::npos);
}

TEST(ScanRun, TwoRunsInARowGiveTheSameReport)
{
    TempTree tree;
    // The first scheme file ends quoted; a second run must start unquoted.
    tree.file("schemes/a.sch", "\"s\"\nwind\n\"dangling\"\n");
    tree.file("schemes/b.sch", "rain\n");
    tree.file("audio/wind.ogg");
    tree.file("audio/rain.ogg");
    tree.file("audio/crickets.ogg");
    const ScanRequest r = request(tree, "schemes", "audio");
    const Lines first = runScan(r);
    EXPECT_EQ(first, (Lines{"crickets", "", "Scan termined."}));
    EXPECT_EQ(runScan(r), first);
}

TEST(ScanRun, WithoutSchemeFilesTheAudioFolderIsNeverRead)
{
    TempTree tree;
    tree.folder("schemes/sub");
    tree.file("audio/wind.ogg");
    RefusingFileSystem fs;
    for (const bool sub : {false, true}) {
        fs.searchedFolders.clear();
        EXPECT_EQ(runScanDetailed(request(tree, "schemes", "audio", sub, true), fs).lines, noSchemes);
        for (const std::string &folder : fs.searchedFolders)
            EXPECT_EQ(folder.rfind(tree.path("schemes"), 0), 0u) << folder;
        EXPECT_FALSE(fs.searchedFolders.empty());
    }
}

} // namespace
