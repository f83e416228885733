#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include "cli/scan/utf8_text.h"
#include "scan/scan_run.h"
#include "tests/toolkit/filesystem/temp_tree.h"

namespace {

using Lines = std::vector<std::string>;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string shellQuoted(const std::string &text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string contentOf(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Runs vorrel-scan with `arguments`, its output captured in files of `tree`.
ProgramRun runProgram(const TempTree &tree, const std::vector<std::string> &arguments)
{
    std::string command = shellQuoted(VORREL_SCAN_PROGRAM);
    for (const std::string &argument : arguments)
        command += " " + shellQuoted(argument);
    command += " >" + shellQuoted(tree.path("stdout")) + " 2>" + shellQuoted(tree.path("stderr"));
    const int status = std::system(command.c_str());
    ProgramRun run;
    if (status != -1 && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = contentOf(tree.path("stdout"));
    run.err = contentOf(tree.path("stderr"));
    return run;
}

std::string asOutput(const Lines &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + '\n';
    return text;
}

TEST(VorrelScan, DefaultOutputIsTheEngineReportLineByLine)
{
    TempTree tree;
    tree.file("s/a.sch", "\"s\"\r\nwind\r\n");
    tree.file("s/sub/b.sch", "\"s\"\nrain\n");
    tree.file("a/wind.ogg");
    tree.file("a/sub/crickets.ogg");
    tree.file("a/Thunder.ogg");
    for (const bool schemesSub : {false, true}) {
        for (const bool audioSub : {false, true}) {
            ScanRequest request{tree.path("s"), tree.path("a"), schemesSub, audioSub, ""};
            std::vector<std::string> arguments;
            if (schemesSub)
                arguments.push_back("--schemes-subfolders");
            if (audioSub)
                arguments.push_back("--audio-subfolders");
            arguments.push_back(tree.path("s"));
            arguments.push_back(tree.path("a"));
            const ProgramRun run = runProgram(tree, arguments);
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out, asOutput(runScan(request))) << schemesSub << audioSub;
            EXPECT_EQ(run.err, "");
        }
    }
}

TEST(VorrelScan, BundledSampleGivesTheDocumentedReports)
{
    TempTree tree;
    const std::string sounds = std::string(VORREL_EXAMPLES_DIR) + "/Sounds";
    // Worked out by hand from the sample's files; the README shows the same.
    const ProgramRun deep = runProgram(tree, {"--schemes-subfolders", "--audio-subfolders", sounds, sounds + "/audio"});
    EXPECT_EQ(deep.exitCode, 0);
    EXPECT_EQ(deep.out, asOutput({"crickets", "rain_loop", "thunder_far", "garrett_sigh", "guard_alert_03",
                                  "guard_idle_hum", "keeper_chant_old", "door_creak", "", "Scan termined."}));

    const ProgramRun flat = runProgram(tree, {sounds + "/schemas_sfx", sounds + "/audio/sfx"});
    EXPECT_EQ(flat.exitCode, 0);
    EXPECT_EQ(flat.out, asOutput({"door_creak", "", "Scan termined."}));

    // A scan that finds nothing to compare still ran: exit status 0.
    const ProgramRun flatNoSchemes = runProgram(tree, {sounds, sounds + "/audio"});
    EXPECT_EQ(flatNoSchemes.exitCode, 0);
    EXPECT_EQ(flatNoSchemes.out, asOutput({"Scanning started, please wait.", "Error, empty folder or wrong path."}));
}

TEST(VorrelScan, UsageErrorsExitTwoWithTheUsageOnStderr)
{
    TempTree tree;
    const std::vector<std::vector<std::string>> cases = {{}, {"only_one"}, {"a", "b", "c"}, {"--frobnicate", "a", "b"}};
    for (const std::vector<std::string> &arguments : cases) {
        const ProgramRun run = runProgram(tree, arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.size();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: vorrel-scan [--schemes-subfolders] [--audio-subfolders] [--json] SCHEMES_FOLDER "
                               "AUDIO_FOLDER"),
                  std::string::npos)
            << run.err;
    }
    const ProgramRun help = runProgram(tree, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: vorrel-scan", 0), 0u);
    EXPECT_EQ(help.err, "");
}

TEST(VorrelScan, JsonListsCountsFilesSizesAndMissingNames)
{
    TempTree tree;
    tree.file("s/a.sch", "\"s\"\nwind\n\"t\"\nthunder\n");
    tree.file("s/sub/b.sch", "\"u\"\nwind\n");
    tree.file("a/wind.ogg", "12345");
    tree.file("a/RAIN.OGG", "1234567");
    tree.file("a/crickets.ogg", "123");
    const ProgramRun run = runProgram(tree, {"--json", "--schemes-subfolders", tree.path("s"), tree.path("a")});
    EXPECT_EQ(run.exitCode, 0);
    const nlohmann::json document = nlohmann::json::parse(run.out);  // strict: throws on invalid text

    EXPECT_EQ(document["counts"]["schemeFiles"], 2);
    EXPECT_EQ(document["counts"]["references"], 3);
    EXPECT_EQ(document["counts"]["audioFiles"], 3);
    EXPECT_EQ(document["counts"]["unreferenced"], 2);
    EXPECT_EQ(document["schemesFolder"], tree.path("s"));
    EXPECT_EQ(document["audioFolder"], tree.path("a"));
    EXPECT_EQ(document["report"], nlohmann::json(Lines{"crickets", "RAIN", "", "Scan termined."}));

    const nlohmann::json &unreferenced = document["unreferenced"];
    ASSERT_EQ(unreferenced.size(), 2u);
    EXPECT_EQ(unreferenced[0]["name"], "crickets");
    EXPECT_EQ(unreferenced[0]["folder"], tree.path("a"));
    EXPECT_EQ(unreferenced[0]["path"], tree.path("a/crickets.ogg"));
    EXPECT_EQ(unreferenced[0]["size"], 3);
    EXPECT_EQ(unreferenced[1]["name"], "RAIN");
    EXPECT_EQ(unreferenced[1]["path"], tree.path("a/RAIN.OGG"));
    EXPECT_EQ(unreferenced[1]["size"], 7);
    EXPECT_EQ(document["unreferencedBytes"], 10);

    ASSERT_EQ(document["missing"].size(), 1u);
    EXPECT_EQ(document["missing"][0]["name"], "thunder");
    EXPECT_EQ(document["missing"][0]["schemeFile"], tree.path("s/a.sch"));
    EXPECT_EQ(document["missing"][0]["line"], 4);
}

TEST(VorrelScan, JsonStaysValidAndLosslessForNamesThatAreNotUtf8)
{
    TempTree tree;
    const std::string oddAudio = "\xff\xfe";
    const std::string oddScheme = "caf\xe9.sch";
    tree.file("s/" + oddScheme, "\"s\"\nmissing_\xe9\n");
    tree.file("a/" + oddAudio + ".ogg", "x");
    const ProgramRun run = runProgram(tree, {"--json", tree.path("s"), tree.path("a")});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_TRUE(isValidUtf8(run.out));
    const nlohmann::json document = nlohmann::json::parse(run.out);

    const nlohmann::json &audio = document["unreferenced"].at(0);
    EXPECT_EQ(audio["nameHex"], toHex(oddAudio));
    EXPECT_EQ(audio["pathHex"], toHex(tree.path("a/" + oddAudio + ".ogg")));
    EXPECT_FALSE(audio.contains("folderHex"));  // the folder is plain UTF-8
    const std::string shownName = audio["name"];
    EXPECT_NE(shownName.find("\xef\xbf\xbd"), std::string::npos);  // U+FFFD stands in

    const nlohmann::json &missing = document["missing"].at(0);
    EXPECT_EQ(missing["nameHex"], toHex("missing_\xe9"));
    EXPECT_EQ(missing["schemeFileHex"], toHex(tree.path("s/" + oddScheme)));

    // The plain report prints the bytes unchanged.
    const ProgramRun plain = runProgram(tree, {tree.path("s"), tree.path("a")});
    EXPECT_EQ(plain.out, asOutput({oddAudio, "", "Scan termined."}));
}

} // namespace
