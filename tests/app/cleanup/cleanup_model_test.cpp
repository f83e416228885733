#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/cleanup/count_text.h"
#include "app/cleanup/missing_sounds_window.h"
#include "app/cleanup/move_unused_window.h"
#include "app/cleanup/restore_moved_window.h"
#include "tests/support/test_folder.h"
#include "toolkit/filesystem/paths.h"

namespace {

TEST(CleanupWindowTexts, CountsReadAsEnglish)
{
    EXPECT_EQ(countText(0, "file", "files"), "0 files");
    EXPECT_EQ(countText(1, "file", "files"), "1 file");
    EXPECT_EQ(countText(1234567, "file", "files"), "1,234,567 files");
    EXPECT_EQ(byteCountText(1), "1 byte");
    EXPECT_EQ(byteCountText(999), "999 bytes");
}

TEST(CleanupWindowTexts, NothingOpenedIsSaid)
{
    const auto opener = [](bool opens) { return [opens](const std::string &) { return opens; }; };
    EXPECT_FALSE(openThroughDesktop(opener(true), "/a/hum.ogg"));
    const auto message = openThroughDesktop(opener(false), "/a/hum.ogg");
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, WindowMessage::Kind::Warning);
    EXPECT_NE(message->text.find("Nothing could open \"/a/hum.ogg\""), std::string::npos) << message->text;
}

// A scan with one used file, one unused file of 3 bytes and one near miss
// of 4 bytes ("Door" on line 4 of a.sch).
class MoveWindowTest : public ::testing::Test {
protected:
    static bool writeTree(const TestFolder &folder)
    {
        folder.writeFile("s/a.sch", "\"s\"\nused\n\"t\"\nDoor\n");
        folder.writeFile("a/used.ogg", "u");
        folder.writeFile("a/hum.ogg", "hum");
        folder.writeFile("a/door.ogg", "near");
        return true;
    }
    TestFolder folder;
    bool written = writeTree(folder);  // before the window scans
    static std::tm at2315On6December2026()
    {
        std::tm time{};
        std::tie(time.tm_year, time.tm_mon, time.tm_mday, time.tm_hour, time.tm_min) = std::tuple(126, 11, 6, 23, 15);
        return time;
    }
    const std::tm now = at2315On6December2026();
    MoveUnusedWindow window{{folder / "s", folder / "a", false, false, folder.path()}, FileOperations::native(), now};
};

TEST_F(MoveWindowTest, NearMissesShowTheirReasonAndTicksToggleTogether)
{
    UnusedSoundsList &list = window.list();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.cellText(0, UnusedSoundsList::PathColumn), "door.ogg");
    EXPECT_FALSE(list.row(0).ticked) << "near misses start unticked";
    EXPECT_EQ(list.cellText(0, UnusedSoundsList::NearMissColumn), "\"Door\" in a.sch, line 4");
    EXPECT_EQ(list.cellText(1, UnusedSoundsList::NearMissColumn), "");
    EXPECT_EQ(list.totalText(), "Ticked: 1 of 2 files, 3 bytes");

    list.toggle({0, 1});  // one of them unticked: both become ticked
    EXPECT_EQ(list.tickState(), UnusedSoundsList::TickState::All);
    EXPECT_EQ(list.totalText(), "Ticked: 2 of 2 files, 7 bytes");
    list.toggle({0, 1});
    EXPECT_EQ(list.tickState(), UnusedSoundsList::TickState::None);
    list.setAllTicked(true);
    list.toggle({1});
    EXPECT_EQ(list.tickState(), UnusedSoundsList::TickState::Some);
    EXPECT_EQ(list.tickedPaths(), std::vector<std::string>{folder / "a/door.ogg"});
}

TEST_F(MoveWindowTest, MoveRunsOnTheTickedFilesInTheChosenFolder)
{
    EXPECT_EQ(window.offeredFolder(), folder / "a-unused-20261206-231500");
    const auto plan = window.planMove("q/", "1.0");
    ASSERT_TRUE(std::holds_alternative<MoveRequest>(plan));
    EXPECT_EQ(std::get<MoveRequest>(plan).quarantineFolder, folder / "q");
    EXPECT_EQ(std::get<MoveRequest>(plan).files, std::vector<std::string>{folder / "a/hum.ogg"});
    EXPECT_TRUE(std::holds_alternative<WindowMessage>(window.planMove("", "1.0")));
    window.list().setAllTicked(false);
    const auto nothing = window.planMove("q", "1.0");
    ASSERT_TRUE(std::holds_alternative<WindowMessage>(nothing));
    EXPECT_EQ(std::get<WindowMessage>(nothing).text, "No file is ticked.");
}

TEST_F(MoveWindowTest, KeptSoundsStayOutOfEveryMoveAndKeepUnkeepRewriteTheList)
{
    UnusedSoundsList &list = window.list();
    const std::string keepFile = folder / "a/vorrel-keep.txt";
    EXPECT_EQ(window.keepListLine(), "Keep list: none");
    EXPECT_FALSE(window.keep({1}, now));
    EXPECT_EQ(TestFolder::readFile(keepFile), "# kept on 2026-12-06\nhum.ogg\n");
    EXPECT_EQ(window.keepListLine(), "Keep list: " + keepFile);
    EXPECT_EQ(list.cellText(1, UnusedSoundsList::KeptColumn), "kept by vorrel-keep.txt, line 2");
    list.setTicked(1, true);
    list.toggle({1});
    EXPECT_FALSE(list.row(1).ticked) << "a kept sound cannot be ticked";
    list.setAllTicked(true);
    EXPECT_EQ(list.tickState(), UnusedSoundsList::TickState::All);
    EXPECT_EQ(list.tickedPaths(), std::vector<std::string>{folder / "a/door.ogg"});

    auto request = std::get<MoveRequest>(window.planMove("q", "1.0"));
    request.files.push_back(folder / "a/hum.ogg");  // as a view that ticked it anyway would ask
    EXPECT_EQ(window.runMove(request).count(FileResult::Moved), 1u);
    EXPECT_EQ(TestFolder::readFile(folder / "a/hum.ogg"), "hum");

    EXPECT_FALSE(window.unkeep({1}));
    EXPECT_EQ(TestFolder::readFile(keepFile), "# kept on 2026-12-06\n");
    EXPECT_EQ(list.cellText(1, UnusedSoundsList::KeptColumn), "");

    folder.writeFile("a/vorrel-keep.txt", "hum.ogg\n../up.ogg\n");
    const auto refused = window.planMove("q2", "1.0");
    ASSERT_TRUE(std::holds_alternative<WindowMessage>(refused));
    EXPECT_NE(std::get<WindowMessage>(refused).text.find(keepFile + ", line 2: "), std::string::npos)
        << std::get<WindowMessage>(refused).text;
}

TEST(MoveVerdict, SaysWhatHappenedAndStaysOpenWhenNothingMoved)
{
    const FileReport moved{FileResult::Moved, "/a/x.ogg", "/q/x.ogg", 3, {}};
    const FileReport failed{FileResult::Failed, "/a/y.ogg", {}, 0, "cannot create the folder /q: denied"};
    const struct {
        std::size_t ticked;
        CleanupOutcome outcome;
        std::vector<std::string> says;
        bool warns;
        bool closes;
    } cases[] = {
        {1, {{moved}, "/q/m.json", {}}, {"Moved 1 file (3 bytes), skipped 0, failed 0.", "Manifest: /q/m.json"}, false,
         true},
        {2, {{moved, moved}, "/q/m.json", {}}, {"Moved 2 files (6 bytes)"}, false, true},
        {13, {{moved, failed}, "/q/m.json", "cannot write the manifest /q/m.json: disk full"},
         {"failed 1.", "11 ticked files were not tried: the move stopped because cannot write the manifest"}, true,
         true},
        {2, {{moved}, "/q/m.json", "stopped"}, {"1 ticked file was not tried"}, true, true},
        {3, {{}, {}, "/q holds a manifest already"},
         {"Nothing was moved: /q holds a manifest already", "Choose another quarantine folder"}, true, false},
        {2, {{failed, failed}, {}, {}}, {"Moved 0 files", "Choose another quarantine folder"}, true, false},
    };
    for (const auto &c : cases) {
        MoveRequest request;
        request.files.assign(c.ticked, "/a/x.ogg");
        const MoveUnusedWindow::Verdict verdict = MoveUnusedWindow::finishMove(request, c.outcome);
        for (const std::string &part : c.says)
            EXPECT_NE(verdict.message.text.find(part), std::string::npos) << verdict.message.text;
        EXPECT_EQ(verdict.message.kind == WindowMessage::Kind::Warning, c.warns) << verdict.message.text;
        EXPECT_EQ(verdict.closeWindow, c.closes) << verdict.message.text;
    }
}

TEST(MissingSoundsWindow, ListsTheNamesOrSaysWhyTheScanFailed)
{
    TestFolder folder;
    folder.writeFile("s/a.sch", "\"s\"\nrain\n\"t\"\nDoor\n\"u\"\nwind\n");
    folder.writeFile("a/door.ogg");
    folder.writeFile("a/rain.ogg");
    const struct {
        std::string schemes, audio;
        std::string intro;
        std::size_t rows;
    } cases[] = {
        {"s", "a", "2 referenced &names have no audio file:", 2},
        {"nowhere", "a", "The scan failed, so nothing is listed: the schemes folder \"nowhere\" does not exist.", 0},
        {"a", "a", "The scan failed, so nothing is listed: the schemes folder " + folder / "a" + " holds no scheme file.", 0},
        {"s", "gone", "The scan failed, so nothing is listed: the audio folder \"gone\" does not exist.", 0},
    };
    for (const auto &c : cases) {
        const ScanRequest scan{c.schemes, c.audio, false, false, folder.path()};
        const MissingSoundsWindow window(scan, runScanDetailed(scan));
        EXPECT_EQ(window.intro(), c.intro);
        EXPECT_EQ(window.scanFailed(), c.rows == 0);
        ASSERT_EQ(window.size(), c.rows) << c.intro;
    }
    const ScanRequest scan{"s", "a", false, false, folder.path()};
    const MissingSoundsWindow window(scan, runScanDetailed(scan));
    EXPECT_EQ(window.row(0), (std::array<std::string, 4>{"Door", "a.sch", "4", "door.ogg"}));
}

TEST(RestoreWindow, SummarySaysTheCountsOrWhyNothingRan)
{
    RestoreMovedWindow window("/q/m.json");
    EXPECT_TRUE(std::holds_alternative<WindowMessage>(window.planRestore("", {})));
    EXPECT_EQ(std::get<std::string>(window.planRestore("m.json", "/q")), withNativeSeparators("/q/m.json"));

    const std::string unreadable = "/q/m.json is not a manifest of moved sounds: line 3, column 7: expected a string";
    window.finishRestore({{}, "/q/m.json", unreadable});
    EXPECT_EQ(window.summary(), unreadable);
    EXPECT_FALSE(window.restoredAny());

    window.finishRestore({{{FileResult::Restored, "/q/x.ogg", "/a/x.ogg", 3, {}},
                           {FileResult::Conflict, "/q/y.ogg", "/a/y.ogg", 5, "/a/y.ogg exists"}},
                          "/q/m.json",
                          {}});
    EXPECT_EQ(window.summary(), "Restored 1 file (3 bytes), 1 conflict, 0 failed.");
    ASSERT_EQ(window.rows().size(), 2u);
    EXPECT_EQ(window.rows()[1], (std::array<std::string, 3>{"conflict", "/a/y.ogg", "/a/y.ogg exists"}));
    EXPECT_TRUE(window.restoredAny());
}

} // namespace
