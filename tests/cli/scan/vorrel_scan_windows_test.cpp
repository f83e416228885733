// vorrel-scan.exe as a Windows user runs it: folders beyond ASCII on the
// command line, the report and the JSON written as UTF-8 with LF line ends.

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/program_runner.h"
#include "tests/support/test_folder.h"

namespace {

TEST(VorrelScanOnWindows, NamesBeyondAsciiCrossTheCommandLineAndPrintAsUtf8WithLineFeeds)
{
    TestFolder tree;
    const std::string sounds = "\xd0\x97\xd0\xb2\xd1\x83\xd0\xba\xd0\xb8", cafe = "caf\xc3\xa9", note = "\xf0\x9f\x8e\xb5";
    tree.writeFile(sounds + "/a.sch", "\"s\"\r\nwind\r\n");
    for (const std::string &name : {std::string("wind"), cafe, note})
        tree.writeFile(sounds + "/audio/" + name + ".ogg", "123");
    std::vector<std::string> arguments = {tree / sounds, tree / (sounds + "/audio")};
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, arguments, tree / "out", tree / "err"), 0)
        << TestFolder::readFile(tree / "err");
    EXPECT_EQ(TestFolder::readFile(tree / "out"), cafe + "\n" + note + "\n\nScan termined.\n");

    arguments.push_back("--json");
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, arguments, tree / "out", tree / "err"), 0);
    const std::string json = TestFolder::readFile(tree / "out");
    EXPECT_EQ(json.find('\r'), std::string::npos);
    const nlohmann::json document = nlohmann::json::parse(json);  // throws on text that is not UTF-8
    EXPECT_EQ(document["unreferenced"].at(1)["path"], tree / (sounds + "/audio/" + note + ".ogg"));
    EXPECT_FALSE(document["unreferenced"].at(1).contains("pathHex"));

    // Moved aside into a folder beyond ASCII, and back, names unchanged.
    const std::string quarantine = tree / (sounds + "/" + note);
    arguments.back() = "--move-unused";
    arguments.push_back(quarantine);
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, arguments, tree / "out", tree / "err"), 0)
        << TestFolder::readFile(tree / "err");
    EXPECT_EQ(TestFolder::readFile(tree / (sounds + "/" + note + "/" + cafe + ".ogg")), "123");
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, {"--restore", tree / (sounds + "/" + note + "/vorrel-moved-sounds.json")},
                         tree / "out", tree / "err"), 0) << TestFolder::readFile(tree / "err");
    EXPECT_EQ(TestFolder::readFile(tree / (sounds + "/audio/" + cafe + ".ogg")), "123");
}

TEST(VorrelScanOnWindows, HelpAnswersSlashQuestionMarkAndAQuotedFinalBackslashGetsAHint)
{
    TestFolder tree;
    const auto run = [&](const std::vector<std::string> &arguments) {
        const int status = runProgram(VORREL_SCAN_PROGRAM, arguments, tree / "out", tree / "err");
        return std::pair(status, TestFolder::readFile(tree / "out") + TestFolder::readFile(tree / "err"));
    };
    for (const char *help : {"/?", "-h"})
        EXPECT_EQ(run({help}), std::pair(0, run({"--help"}).second)) << help;
    // What "D:\Mods\Sounds\" "D:\Mods\Audio" becomes, and a final "D:\Mods\Audio\".
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"D:\\Mods\\Sounds\" D:\\Mods\\Audio"}, "(\"D:\\Mods\\Sounds\") or double it (\"D:\\Mods\\Sounds\\\\\")"},
        {{"D:\\Mods", "D:\\Mods\\Audio\""}, "(\"D:\\Mods\\Audio\")"},
    };
    for (const auto &[arguments, hint] : cases) {
        const auto [status, text] = run(arguments);
        EXPECT_NE(status == 2 ? text.find("without its final backslash " + hint) : std::string::npos, std::string::npos) << text;
    }
}

// --move-unused and --restore take long-form paths; a network path is
// refused by name instead of becoming a folder on the current drive.
TEST(VorrelScanOnWindows, MovesIntoAndRestoresFromLongFormAndNetworkPaths)
{
    TestFolder tree;
    tree.writeFile("s/a.sch", "\"s\"\r\nused\r\n");
    tree.writeFile("a/used.ogg");
    tree.writeFile("a/hum.ogg", "hum");
    const std::string longForm = "\\\\?\\" + tree.path();
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, {"--move-unused", longForm + "/q", tree / "s", tree / "a"}, tree / "out", tree / "err"), 0)
        << TestFolder::readFile(tree / "err");
    EXPECT_NE(TestFolder::readFile(tree / "out").find("-> " + (tree / "q\\hum.ogg")), std::string::npos);
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, {"--restore", longForm + "\\q\\vorrel-moved-sounds.json"}, tree / "out", tree / "err"), 0)
        << TestFolder::readFile(tree / "err");
    EXPECT_EQ(TestFolder::readFile(tree / "a/hum.ogg"), "hum");

    const std::string share = std::string("\\\\localhost\\") + char(std::tolower(tree.path()[0])) + "$" + tree.path().substr(2);
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, {"--move-unused", share + "\\q", tree / "s", tree / "a"}, tree / "out", tree / "err"), 0)
        << TestFolder::readFile(tree / "err");
    EXPECT_EQ(TestFolder::readFile(tree / "q/hum.ogg"), "hum");
    EXPECT_EQ(runProgram(VORREL_SCAN_PROGRAM, {"--restore", "\\\\?\\UNC" + share.substr(1) + "\\q\\vorrel-moved-sounds.json"}, tree / "out", tree / "err"), 0)
        << TestFolder::readFile(tree / "err");
    EXPECT_EQ(TestFolder::readFile(tree / "a/hum.ogg"), "hum");
}

} // namespace
