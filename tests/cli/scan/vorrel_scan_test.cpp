#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/scan/folder_problems.h"
#include "tests/support/refusing_file_system.h"
#include "tests/support/program_runner.h"
#include "tests/support/test_folder.h"
#include "toolkit/filesystem/utf8_text.h"

namespace {

using Lines = std::vector<std::string>;
using nlohmann::json;

struct ProgramRun {
    int exitCode = -1;
    std::string out, err;
};

// Runs vorrel-scan with `arguments`, its output captured in files of `tree`.
ProgramRun runScanProgram(const TestFolder &tree, const Lines &arguments)
{
    const int status = runProgram(VORREL_SCAN_PROGRAM, arguments, tree / "out", tree / "err");
    return {status, TestFolder::readFile(tree / "out"), TestFolder::readFile(tree / "err")};
}

std::string asOutput(const Lines &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + '\n';
    return text;
}

TEST(Utf8Text, ClassifiesBytes)
{
    for (const std::string text : {"wind_01.ogg", "", "caf\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x8e\xb5"})
        EXPECT_TRUE(isValidUtf8(text)) << testing::PrintToString(text);
    EXPECT_TRUE(isValidUtf8(std::string("a\0b", 3)));
    // Latin-1, stray continuation, truncated, overlong, surrogate, above U+10FFFF.
    for (const std::string text : {"caf\xe9", "\x80", "\xe2\x82", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80"})
        EXPECT_FALSE(isValidUtf8(text)) << testing::PrintToString(text);
}

TEST(VorrelScan, PrintsTheEngineReportAsDocumentedOrExitsTwoWithTheUsage)
{
    TestFolder tree;
    const std::string sounds = VORREL_EXAMPLES_DIR "/Sounds";
    const char *usage = "usage: vorrel-scan [--schemes-subfolders] [--audio-subfolders] [--json] "
                        "SCHEMES_FOLDER AUDIO_FOLDER";
    // The reports are worked out by hand from the bundled sample; the README shows the same.
    const struct {
        Lines arguments;
        int exitCode;
        Lines out;
    } cases[] = {
        {{"--schemes-subfolders", sounds, sounds + "/audio", "--audio-subfolders"}, 0,
         {"crickets", "rain_loop", "thunder_far", "garrett_sigh", "guard_alert_03", "guard_idle_hum",
          "keeper_chant_old", "door_creak", "", "Scan termined."}},
        {{sounds + "/schemas_sfx", sounds + "/audio/sfx"}, 0, {"door_creak", "", "Scan termined."}},
        // "--" ends the options: two folders that do not exist, reported as ever.
        {{"--", "--json", "-"}, 1, {"Scanning started, please wait.", "Error, empty folder or wrong path."}},
        {{}, 2, {}}, {{"one"}, 2, {}}, {{"a", "b", "c"}, 2, {}}, {{"--what", "a", "b"}, 2, {}}, {{"--json"}, 2, {}},
        {{"--dry-run", "a", "b"}, 2, {}}, {{"--restore"}, 2, {}}, {{"--restore", "m", "a"}, 2, {}},
        {{"a", "b", "--move-unused"}, 2, {}}, {{"--restore", "--json"}, 2, {}},
    };
    for (const auto &c : cases) {
        const ProgramRun run = runScanProgram(tree, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << testing::PrintToString(c.arguments);
        EXPECT_EQ(run.out, asOutput(c.out));
        if (c.exitCode == 0) {
            EXPECT_EQ(run.err, "");
        } else if (c.exitCode == 2) {
            EXPECT_NE(run.err.find(usage), std::string::npos) << run.err;
        }
    }
    // An option where a value belongs is refused, not taken as a folder.
    const ProgramRun optionAsValue = runScanProgram(tree, {"--move-unused", "--dry-run", tree / "s", tree / "a"});
    EXPECT_EQ(optionAsValue.exitCode, 2);
    EXPECT_NE(optionAsValue.err.find("--move-unused needs a value, and --dry-run is an option"), std::string::npos)
        << optionAsValue.err;
    EXPECT_FALSE(std::filesystem::exists("--dry-run"));
    const ProgramRun help = runScanProgram(tree, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind(usage, 0), 0u);
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    const ProgramRun version = runScanProgram(tree, {"--version"});
    EXPECT_EQ(std::pair(version.exitCode, version.out), std::pair(0, std::string("1.0.0.0\n")));
}

TEST(VorrelScan, WrongFolderKeepsTheReportNamesTheFolderAndWhyAndExitsOne)
{
    TestFolder tree;
    tree.writeFile("s/a.sch", "\"s\"\nwind\n");
    tree.writeFile("a/wind.ogg");
    const std::string s = tree / "s", a = tree / "a", none = tree / "none", file = tree / "s/a.sch";
    const Lines noSchemes = {"Scanning started, please wait.", "Error, empty folder or wrong path."};
    const std::string noAudio = "vorrel-scan: audio folder " + none + ": no such folder\n";
    const struct {
        Lines arguments, out;
        std::string err;
    } cases[] = {
        {{s, none}, {"Directory reading error.", "Scan termined."}, noAudio},
        {{file, a}, noSchemes, "vorrel-scan: schemes folder " + file + ": not a folder\n"},
        {{none, file}, noSchemes, "vorrel-scan: schemes folder " + none + ": no such folder\nvorrel-scan: audio folder " + file + ": not a folder\n"},
        {{"--move-unused", tree / "q", s, none}, {}, noAudio},  // not started at all
    };
    for (const auto &c : cases) {
        const ProgramRun run = runScanProgram(tree, c.arguments);
        EXPECT_EQ(std::tuple(run.exitCode, run.out, run.err), std::tuple(1, asOutput(c.out), c.err));
    }
    EXPECT_FALSE(std::filesystem::exists(tree / "q"));
    const json document = json::parse(runScanProgram(tree, {"--json", s, none}).out);
    EXPECT_EQ(document["folderErrors"], json::array({{{"folder", "audio"}, {"path", none}, {"reason", "no such folder"}}}));

    RefusingFileSystem refusing;
    refusing.refusedFolders.insert(a);
    const std::vector<FolderProblem> problems = findFolderProblems(refusing, {s, a, false, false, ""});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(folderProblemText(problems[0]).rfind("audio folder " + a + ": cannot be read (", 0), 0u);
}

TEST(VorrelScan, JsonListsCountsFilesSizesAndMissingNames)
{
    TestFolder tree;
    tree.writeFile("s/a.sch", "\"s\"\nwind\n\"t\"\nthunder\n");
    tree.writeFile("s/sub/b.sch", "\"u\"\nwind\n");
    tree.writeFile("a/wind.ogg", "12345");
    tree.writeFile("a/RAIN.OGG", "1234567");
    tree.writeFile("a/crickets.ogg", "123");
    const std::string a = tree / "a";
    const ProgramRun run = runScanProgram(tree, {"--json", "--schemes-subfolders", tree / "s", a});
    EXPECT_EQ(run.exitCode, 0);
    const json document = json::parse(run.out);  // strict: throws on invalid text
    EXPECT_EQ(document["counts"],
              json({{"schemeFiles", 2}, {"references", 3}, {"audioFiles", 3}, {"unreferenced", 2}, {"missing", 1}}));
    EXPECT_EQ(document["schemesFolder"], (tree / "s"));
    EXPECT_EQ(document["audioFolder"], a);
    EXPECT_EQ(document["report"], json(Lines{"crickets", "RAIN", "", "Scan termined."}));
    EXPECT_EQ(document["unreferenced"],
              json::array({{{"name", "crickets"}, {"folder", a}, {"path", tree / "a/crickets.ogg"}, {"size", 3}},
                           {{"name", "RAIN"}, {"folder", a}, {"path", tree / "a/RAIN.OGG"}, {"size", 7}}}));
    EXPECT_EQ(document["unreferencedBytes"], 10);
    EXPECT_EQ(document["missing"],
              json::array({{{"name", "thunder"}, {"schemeFile", tree / "s/a.sch"}, {"line", 4}}}));
}

TEST(VorrelScan, JsonStaysValidAndLosslessForNamesThatAreNotUtf8)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows names are UTF-16: every one of them converts to valid UTF-8";
#endif
    TestFolder tree;
    tree.writeFile("s/caf\xe9.sch", "\"s\"\nmissing_\xe9\n");
    tree.writeFile("a/\xff\xfe.ogg", "x");
    const ProgramRun run = runScanProgram(tree, {"--json", tree / "s", (tree / "a")});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_TRUE(isValidUtf8(run.out));
    const json document = json::parse(run.out);
    const json &audio = document["unreferenced"].at(0);
    EXPECT_EQ(audio["nameHex"], "fffe");
    EXPECT_EQ(audio["pathHex"], toHex(tree / "a/\xff\xfe.ogg"));
    EXPECT_FALSE(audio.contains("folderHex"));  // the folder is plain UTF-8
    EXPECT_NE(audio["name"].get<std::string>().find("\xef\xbf\xbd"), std::string::npos);  // U+FFFD stands in
    EXPECT_EQ(document["missing"].at(0)["nameHex"], "6d697373696e675fe9");
    EXPECT_EQ(document["missing"].at(0)["schemeFileHex"], toHex(tree / "s/caf\xe9.sch"));
    // The plain report prints the bytes unchanged.
    EXPECT_EQ(runScanProgram(tree, {(tree / "s"), tree / "a"}).out, asOutput({"\xff\xfe", "", "Scan termined."}));
}

TEST(VorrelScan, MovesUnusedOrNamedSoundsAsideRefusesKeptOnesAndRestoresThemByteForByte)
{
    TestFolder tree;
    tree.writeFile("s/a.sch", "\"s\"\nused\n\"t\"\nDoor\n");
    tree.writeFile("a/used.ogg", "u");
    const std::string hum("hum\0\xff\r\n", 7);
    tree.writeFile("a/sub/hum.ogg", hum);
    tree.writeFile("a/door.ogg", "near");
    const std::string s = tree / "s", a = tree / "a", q = tree / "q";

    const json scan = json::parse(runScanProgram(tree, {"--json", "--audio-subfolders", s, a}).out);
    EXPECT_EQ(scan["nearMisses"], json::array({{{"file", (tree / "a/door.ogg")}, {"nearReference", "Door"},
                                                {"schemeFile", (tree / "s/a.sch")}, {"line", 4}}}));

    ProgramRun run = runScanProgram(tree, {"--audio-subfolders", "--move-unused", q, "--dry-run", s, a});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("would move " + (tree / "a/sub/hum.ogg") + " -> " + (tree / "q/sub/hum.ogg") + " (7 bytes)"), std::string::npos);
    EXPECT_NE(run.out.find("Would move 1 file (7 bytes), skipped 1, failed 0."), std::string::npos) << run.out;
    EXPECT_FALSE(std::filesystem::exists(q));

    run = runScanProgram(tree, {"--audio-subfolders", "--move-unused", q, s, a});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(TestFolder::readFile((tree / "q/sub/hum.ogg")), hum);
    EXPECT_FALSE(std::filesystem::exists((tree / "a/sub/hum.ogg")));
    EXPECT_TRUE(std::filesystem::exists((tree / "a/door.ogg")));  // a near miss stays unless asked for
    const std::string manifest = (tree / "q/vorrel-moved-sounds.json");
    EXPECT_NE(run.out.find("Manifest: " + manifest), std::string::npos) << run.out;

    run = runScanProgram(tree, {"--restore", manifest});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(TestFolder::readFile((tree / "a/sub/hum.ogg")), hum);
    EXPECT_FALSE(std::filesystem::exists(q));

    // Near misses too; then a file stands at one original path again.
    run = runScanProgram(tree, {"--json", "--audio-subfolders", "--include-near-misses", "--move-unused", q, s, a});
    EXPECT_EQ(json::parse(run.out)["counts"]["moved"], json({{"files", 2}, {"bytes", 11}})) << run.out;
    tree.writeFile("a/door.ogg", "new");
    run = runScanProgram(tree, {"--restore", manifest});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("conflict " + (tree / "q/door.ogg")), std::string::npos) << run.err;
    EXPECT_EQ(TestFolder::readFile((tree / "a/door.ogg")), "new");
    EXPECT_EQ(TestFolder::readFile((tree / "q/door.ogg")), "near");
    EXPECT_EQ(TestFolder::readFile((tree / "a/sub/hum.ogg")), hum);

    // Named sounds move, but kept ones are refused with their line.
    tree.writeFile("a/keep.ogg", "k");
    tree.writeFile("a/spare.ogg", "s");
    tree.writeFile("other.txt", "# mine\nkeep.ogg\n");
    run = runScanProgram(tree, {"--move-unused", tree / "q2", "--keep-list", tree / "other.txt", "--file",
                                tree / "a/keep.ogg", "--file", tree / "a/spare.ogg", "--json", s, a});
    EXPECT_EQ(run.exitCode, 1);
    const json document = json::parse(run.out);
    EXPECT_EQ(document["keepList"], tree / "other.txt");
    EXPECT_EQ(document["files"].at(0)["keptBy"], json({{"line", 2}, {"pattern", "keep.ogg"}}));
    EXPECT_EQ(document["counts"]["moved"]["files"], 1);
    EXPECT_TRUE(std::filesystem::exists(fsPath(tree / "a/keep.ogg")));
    run = runScanProgram(tree, {"--json", "--keep-list", tree / "other.txt", s, a});
    EXPECT_EQ(json::parse(run.out)["kept"],
              json::array({{{"file", tree / "a/keep.ogg"}, {"line", 2}, {"pattern", "keep.ogg"}}}));
    run = runScanProgram(tree, {"--move-unused", tree / "q3", "--file", tree / "s/a.sch", s, a});
    EXPECT_EQ(run.exitCode, 2);
}

} // namespace
