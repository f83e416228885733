#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "keep/keep_list.h"
#include "keep/keep_list_edit.h"
#include "keep/keep_list_file.h"
#include "tests/support/test_folder.h"

namespace {

using namespace std::string_literals;

TEST(KeepListTest, PatternRules)
{
    const struct {
        std::string list, path;
        std::size_t keptBy;  // the line that keeps `path`; 0 for none
        std::string error;   // what the list's error ends with, when broken
    } cases[] = {
        {"*.ogg", "a/b/c.ogg", 1, ""},
        {"a/*.ogg", "a/b/c.ogg", 0, ""},
        {"a/**/c.ogg", "a/b/d/c.ogg", 1, ""},
        {"a/**/c.ogg", "a/c.ogg", 1, ""},
        {"c?.ogg", "x/c\xC3\xA9.ogg", 1, ""},
        {"c?.ogg", "c12.ogg", 0, ""},
        {"c.ogg", "sub/c.ogg", 1, ""},
        {"sub/c.ogg", "x/sub/c.ogg", 0, ""},
        {"drafts/", "a/drafts/x/y.ogg", 1, ""},
        {"drafts/", "a/drafts", 0, ""},
        {"*.ogg\n!boom.ogg\n", "x/boom.ogg", 0, ""},
        {"!boom.ogg\n*.ogg", "boom.ogg", 2, ""},
        {"# c.ogg\n\n \t\nc.ogg", "c.ogg", 4, ""},
        {"\\#c.ogg\n\\!d.ogg", "#c.ogg", 1, ""},
        {"\xEF\xBB\xBF" "c.ogg\r\nd.ogg\r\n", "c.ogg", 1, ""},
        {"c.ogg \t \n", "c.ogg", 1, ""},
        {"c.ogg\\ \n", "c.ogg ", 1, ""},
        {"c.ogg\\ \n", "c.ogg", 0, ""},
        {"a\\*.ogg", "ab.ogg", 0, ""},
        {"a\\*.ogg\na\\?\\\\.ogg", "a?\\.ogg", 2, ""},
        {"SFX/Boom.OGG", "sfx/boom.ogg", 1, ""},
        {"\xD0\xA8\xD0\x90\xD0\x93\xD0\x98.ogg", "\xD1\x88\xD0\xB0\xD0\xB3\xD0\xB8.ogg", 1, ""},  // ШАГИ, шаги
        {"ok.ogg\n/abs.ogg", "ok.ogg", 0, "line 2: an absolute path; write the path from the list's folder"},
        {"C:\\abs.ogg", "abs.ogg", 0, "line 1: an absolute path; write the path from the list's folder"},
        {"a/../b.ogg", "b.ogg", 0, "line 1: a '..' step; the list names sounds inside its own folder only"},
        {"x[1].ogg", "x1.ogg", 0, "line 1: '[' and ']' are not supported; write \\[ or \\] for the character itself"},
        {"ok.ogg\r\n\xFF.ogg", "ok.ogg", 0, "line 2: bytes that are not UTF-8; save the list as UTF-8"},
        {"ok.ogg\na\0b"s, "ok.ogg", 0, "line 2: a NUL byte"},
        {"\xFF\xFE" "c\0"s, "c", 0, "line 1: UTF-16 text; save the list as UTF-8"},
        {"c.ogg\\", "c.ogg", 0, "line 1: a '\\' at the end of the line escapes nothing"},
        {"!", "c.ogg", 0, "line 1: a '!' with no pattern after it"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.list) + " against " + c.path);
        const KeepList list("/mod/audio/vorrel-keep.txt", c.list);
        EXPECT_EQ(list.error(), c.error.empty() ? "" : "/mod/audio/vorrel-keep.txt, " + c.error);
        const std::optional<KeepReason> reason = list.reasonToKeep(c.path);
        EXPECT_EQ(reason ? reason->lineNumber : 0, c.keptBy);
    }
}

// Fails the rename that puts the new list in place.
struct RefusedRename : FileOperations {
    std::error_code renameReplacing(const std::string &, const std::string &) const override
    {
        return std::make_error_code(std::errc::no_space_on_device);
    }
};

TEST(KeepListTest, KeepAndUnkeepRewriteTheListAFailedWriteKeepsItAndTheNearestListAboveCounts)
{
    const TestFolder folder;
    const std::string path = folder / "vorrel-keep.txt";
    folder.writeFile("vorrel-keep.txt", "wide/\r\n");
    const std::vector<std::string> sounds = {"a/b*[1].ogg", "#x.ogg", "!y\\.ogg ", "wide/z.ogg"};
    const KeepEdit kept = keepSounds(path, sounds, "2026-12-07", FileOperations::native());
    EXPECT_TRUE(kept.written) << kept.error;
    EXPECT_EQ(kept.notes.size(), 1u);
    const std::string written = TestFolder::readFile(path);
    EXPECT_NE(written.find("\r\n# kept on 2026-12-07\r\n"), std::string::npos) << written;
    const KeepList list = readKeepList(path, FileOperations::native());
    for (const std::string &sound : sounds)
        EXPECT_EQ(list.exactLines(sound).size(), sound.starts_with("wide/") ? 0u : 1u) << sound;

    EXPECT_FALSE(unkeepSounds(path, {"#x.ogg"}, RefusedRename()).written);
    EXPECT_EQ(TestFolder::readFile(path), written);
    EXPECT_EQ(TestFolder::readFile(path + ".new"), "<missing>");

    const KeepEdit unkept = unkeepSounds(path, {"#x.ogg", "wide/z.ogg"}, FileOperations::native());
    EXPECT_TRUE(unkept.written) << unkept.error;
    EXPECT_EQ(unkept.notes.size(), 1u);
    const KeepList after = readKeepList(path, FileOperations::native());
    EXPECT_FALSE(after.reasonToKeep("#x.ogg"));
    EXPECT_TRUE(after.reasonToKeep("a/b*[1].ogg"));

    // A sound's list is the one in the nearest folder above it.
    folder.writeFile("mod/vorrel-keep.txt", "c.ogg");
    folder.makeFolder("mod/audio/sfx");
    const std::string found = findKeepList(folder / "mod/audio/sfx", FileOperations::native());
    EXPECT_EQ(found, folder / "mod/vorrel-keep.txt");
    const KeepList nearest = readKeepList(found, FileOperations::native());
    EXPECT_EQ(nearest.relativePath(folder / "mod/audio/sfx/c.ogg"), "audio/sfx/c.ogg");
    EXPECT_TRUE(nearest.reasonToKeep(*nearest.relativePath(folder / "mod/audio/sfx/c.ogg")));
}

} // namespace
