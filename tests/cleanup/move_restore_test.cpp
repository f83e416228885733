#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cleanup/manifest_writer.h"
#include "cleanup/move_unused.h"
#include "cleanup/quarantine_manifest.h"
#include "cleanup/quarantine_names.h"
#include "cleanup/restore_moved.h"
#include "tests/support/test_folder.h"
#include "toolkit/filesystem/paths.h"

namespace {

namespace fs = std::filesystem;

std::error_code failure(int code)
{
    return {code, std::generic_category()};
}

struct Faults {
    bool crossDevice = false;       // every rename reports another file system
    bool copyStopsHalfway = false;  // a copy writes half the file and reports success
    bool rivalManifest = false;     // another run creates the manifest just before this one
    bool renameRefused = false;     // the destination cannot be written
    bool removeRefused = false;     // originals cannot be removed
    bool swapRefused = false;       // two files cannot be swapped in one step
    bool linkRefused = false;       // no hard links
    int manifestWritesLeft = 1000;  // then the disk is full
};

// The machine's file operations with chosen steps made to fail.
struct FaultyOperations : FileOperations, Faults {
    explicit FaultyOperations(const Faults &faults) : Faults(faults), m_writesLeft(faults.manifestWritesLeft) {}
    mutable int m_writesLeft;

    std::error_code renameNoReplace(const std::string &from, const std::string &to) const override
    {
        if (renameRefused)
            return failure(EACCES);
        const auto inQuarantine = [](const std::string &path) { return path.find(withNativeSeparators("/q/")) != std::string::npos; };
        return crossDevice && inQuarantine(from) != inQuarantine(to) ? failure(EXDEV)
                                                                     : FileOperations::renameNoReplace(from, to);
    }
    std::error_code copyToNewFile(const std::string &from, const std::string &to) const override
    {
        if (!copyStopsHalfway)
            return FileOperations::copyToNewFile(from, to);
        std::string content;
        readFile(from, content);
        std::ofstream(to, std::ios::binary) << content.substr(0, content.size() / 2);
        return {};
    }
    std::error_code makeFolders(const std::string &path, std::vector<std::string> &created,
                                std::string *blocking) const override
    {
        const std::error_code error = FileOperations::makeFolders(path, created, blocking);
        if (rivalManifest)
            std::ofstream(joinPath(path, QuarantineManifest::fileName)) << "rival";
        return error;
    }
    std::error_code removeFile(const std::string &path) const override
    {
        return removeRefused && path.find(withNativeSeparators("/audio/")) != std::string::npos ? failure(EPERM)
                                                                          : FileOperations::removeFile(path);
    }
    std::error_code writeFileAtomically(const std::string &path, const std::string &content,
                                        bool flushToDisk) const override
    {
        if (--m_writesLeft < 0)
            return failure(ENOSPC);
        return FileOperations::writeFileAtomically(path, content, flushToDisk);
    }
    std::error_code rewriteTail(const std::string &path, std::uintmax_t offset, std::string_view tail,
                                bool createNew) const override
    {
        if (--m_writesLeft < 0) {
            FileOperations::rewriteTail(path, offset, "cut", createNew);
            return failure(ENOSPC);
        }
        return FileOperations::rewriteTail(path, offset, tail, createNew);
    }
    std::error_code linkNoReplace(const std::string &existing, const std::string &link) const override
    {
        return linkRefused ? failure(EPERM) : FileOperations::linkNoReplace(existing, link);
    }
    std::error_code exchangeFiles(const std::string &first, const std::string &second) const override
    {
        return swapRefused ? failure(EINVAL) : FileOperations::exchangeFiles(first, second);
    }
};

// Three, so that a move and a restore reuse an earlier manifest as the next one.
const std::map<std::string, std::string> unusedFiles = {
    {"x/one.ogg", "11111"}, {"two.ogg", "22"}, {"x/y/three.ogg", "333"}};

// A sound set with one used sound and the unused ones above.
struct SoundSet {
    TestFolder tree;
    SoundSet()
    {
        tree.writeFile("schemes/a.sch", "\"s\"\nused\n");
        tree.writeFile("audio/used.ogg", "u");
        for (const auto &[path, content] : unusedFiles)
            tree.writeFile("audio/" + path, content);
    }
    MoveRequest request() const
    {
        MoveRequest request;
        request.scan = {tree / "schemes", tree / "audio", false, true, {}};
        request.quarantineFolder = tree / "q";
        request.allUnreferenced = true;
        request.programVersion = "1.2.3";
        return request;
    }
    std::string manifestPath() const { return tree / ("q/" + std::string(QuarantineManifest::fileName)); }
    std::vector<std::string> manifestEntries() const
    {
        std::string text;
        QuarantineManifest manifest;
        std::vector<std::string> entries;
        if (!FileOperations::native().readFile(manifestPath(), text)) {
            EXPECT_EQ(manifestFromText(text, manifest), "");
            for (const QuarantinedFile &file : manifest.files)
                if (!file.folder)
                    entries.push_back(file.quarantinedPath);
        }
        return entries;
    }
    // Every unused file is whole in exactly one place, and the manifest lists
    // every one in the quarantine folder. Returns those.
    std::vector<std::string> checkNothingLost() const
    {
        std::vector<std::string> quarantined;
        for (const auto &[path, content] : unusedFiles) {
            const bool home = fs::exists(tree / ("audio/" + path)), away = fs::exists(tree / ("q/" + path));
            EXPECT_NE(home, away) << path;
            EXPECT_EQ(TestFolder::readFile(tree / ((away ? "q/" : "audio/") + path)), content) << path;
            if (away)
                quarantined.push_back(path);
        }
        const std::vector<std::string> listed = manifestEntries();
        for (const std::string &path : quarantined)
            EXPECT_NE(std::find(listed.begin(), listed.end(), path), listed.end()) << path;
        std::error_code error;
        for (const auto &entry : fs::recursive_directory_iterator(tree / "q", error)) {  // no spare or copy left over
            const std::string relative = entry.path().lexically_relative(tree / "q").generic_string();
            EXPECT_TRUE(entry.is_directory() || relative == QuarantineManifest::fileName
                        || std::find(listed.begin(), listed.end(), relative) != listed.end()) << relative;
        }
        return quarantined;
    }
};

TEST(MoveUnused, EveryFailureLeavesEachFileWholeInOnePlaceAndTheManifestTruthful)
{
    const struct {
        const char *name;
        Faults faults;
        std::size_t moved, failed;
        bool stopped;
        const char *messagePart;
    } cases[] = {
        {"same file system", {}, 3, 0, false, ""},
        {"another file system", {.crossDevice = true}, 3, 0, false, ""},
        {"copy cut off", {.crossDevice = true, .copyStopsHalfway = true}, 0, 3, false, "instead of"},
        {"destination refused", {.renameRefused = true}, 0, 3, false, "Permission denied"},
        {"original not removable", {.crossDevice = true, .removeRefused = true}, 0, 3, false,
         "cannot remove the original"},
        {"manifest unwritable", {.manifestWritesLeft = 1}, 0, 1, true, "No space left on device"},
        {"done not recordable", {.manifestWritesLeft = 2}, 1, 0, true, ""},
        {"earlier manifest not rewritable", {.manifestWritesLeft = 5}, 2, 1, true, "No space left on device"},
        {"no hard links", {.swapRefused = true, .linkRefused = true}, 3, 0, false, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SoundSet set;
        const CleanupOutcome outcome = moveUnusedSounds(set.request(), FileSystem::native(), FaultyOperations(c.faults));
        EXPECT_EQ(outcome.count(FileResult::Moved), c.moved);
        EXPECT_EQ(outcome.count(FileResult::Failed), c.failed);
        EXPECT_EQ(outcome.complete(), c.failed == 0 && !c.stopped);
        EXPECT_EQ(!outcome.error.empty(), c.stopped);
        EXPECT_EQ(set.checkNothingLost().size(), c.moved);
        EXPECT_EQ(outcome.manifestPath, c.moved ? set.manifestPath() : "");
        EXPECT_EQ(fs::exists(set.tree / "q"), c.moved > 0);  // made for nothing: gone again
        EXPECT_TRUE(!c.moved || restoreMovedSounds(set.manifestPath(), FileOperations::native()).complete());
        for (const FileReport &file : outcome.files)
            if (file.result == FileResult::Failed) {
                EXPECT_NE(file.message.find(c.messagePart), std::string::npos) << file.message;
                EXPECT_NE(file.message.find(set.tree.path()), std::string::npos) << file.message;
            }
        EXPECT_TRUE(fs::exists(set.tree / "audio/used.ogg"));
    }
}

TEST(MoveUnused, MovesOnlyWhatIsStillUnusedAndAskedFor)
{
    SoundSet set;
    set.tree.writeFile("audio/x/USED.ogg", "near");  // beside used.ogg, also where letter case is ignored
    MoveRequest request = set.request();
    request.dryRun = true;
    CleanupOutcome outcome = moveUnusedSounds(request, FileSystem::native(), FileOperations::native());
    EXPECT_EQ(outcome.count(FileResult::WouldMove), 3u);
    EXPECT_EQ(outcome.bytes(FileResult::WouldMove), 10u);
    EXPECT_EQ(outcome.count(FileResult::Skipped), 1u);  // the near miss
    EXPECT_FALSE(fs::exists(set.tree / "q"));

    // A scheme starts to use two.ogg after the list was made; USED.ogg is named.
    set.tree.writeFile("schemes/b.sch", "\"t\"\ntwo\n");
    request.dryRun = request.allUnreferenced = false;
    request.files = {set.tree / "audio/two.ogg", set.tree / "audio/x/USED.ogg", set.tree / "audio/x/USED.ogg"};
    outcome = moveUnusedSounds(request, FileSystem::native(), FileOperations::native());
    ASSERT_EQ(outcome.files.size(), 2u);
    EXPECT_EQ(outcome.files[0].result, FileResult::Skipped);
    EXPECT_EQ(outcome.files[1].result, FileResult::Moved);
    EXPECT_TRUE(fs::exists(set.tree / "audio/two.ogg"));
    EXPECT_EQ(set.manifestEntries(), std::vector<std::string>{"x/USED.ogg"});
}

TEST(RestoreMoved, PutsFilesBackWithoutOverwritingAndKeepsTheManifestTruthful)
{
    const struct {
        const char *name;
        Faults faults;
        bool occupyOne;  // a new file stands at one original path
        bool changeOne;  // a quarantined file is not the size recorded
        std::size_t restored, conflicts;
    } cases[] = {
        {"same file system", {}, false, false, 3, 0},
        {"another file system", {.crossDevice = true}, false, false, 3, 0},
        {"original path taken", {}, true, false, 2, 1},
        {"changed in the quarantine folder", {}, false, true, 2, 0},
        {"manifest unwritable", {.manifestWritesLeft = 0}, false, false, 1, 0},  // back, then the stop
        {"earlier manifest not rewritable", {.manifestWritesLeft = 1}, false, false, 1, 0},
        {"no hard links", {.swapRefused = true, .linkRefused = true}, false, false, 3, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SoundSet set;
        ASSERT_TRUE(moveUnusedSounds(set.request(), FileSystem::native(), FileOperations::native()).complete());
        if (c.occupyOne)
            set.tree.writeFile("audio/two.ogg", "new");
        if (c.changeOne)
            set.tree.writeFile("q/two.ogg", "222");
        const CleanupOutcome outcome = restoreMovedSounds(set.manifestPath(), FaultyOperations(c.faults));
        EXPECT_EQ(outcome.count(FileResult::Restored), c.restored);
        EXPECT_EQ(outcome.count(FileResult::Conflict), c.conflicts);
        if (c.occupyOne || c.changeOne) {
            EXPECT_EQ(set.manifestEntries(), std::vector<std::string>{"two.ogg"});
            EXPECT_TRUE(fs::exists(set.tree / "q/two.ogg"));
            continue;
        }
        EXPECT_EQ(set.checkNothingLost().size(), unusedFiles.size() - c.restored);
        EXPECT_EQ(fs::exists(set.tree / "q"), c.restored < unusedFiles.size());  // the manifest and empty folders go
        if (c.restored < unusedFiles.size()) {  // the next restore finishes the work
            EXPECT_TRUE(restoreMovedSounds(set.manifestPath(), FileOperations::native()).complete());
            EXPECT_FALSE(fs::exists(set.tree / "q"));
        }
    }
}

TEST(RestoreMoved, RefusesManifestsItCannotFollowSafely)
{
    SoundSet set;
    const std::string manifest = set.tree / "m.json";
    // One entry, its fields after the first four written again: the last of two equal keys counts.
    const auto entry = [](const std::string &fields) {
        return R"({"formatVersion": 2, "programVersion": "1", "created": "", "schemesFolder": "", "audioFolder": "/a",
            "quarantineFolder": "", "createdFolders": 0, "spareFiles": [], "entries": [{"original": "/a/x.ogg",
            "quarantined": "x.ogg", "size": 2, "modifiedNanoseconds": -5, )" + fields + "}]}";
    };
    const struct {
        std::string text, why;
    } cases[] = {
        {"{\n  \"formatVersion\": 1,\n  ]", "line 3, column 3: expected string literal"},
        {R"({"formatVersion": 3})", "newer version"},
        {R"({"formatVersion": 2.0})", "\"formatVersion\" must be a whole number"},
        {entry(R"("original": "/a/../../x.ogg")"), "entry 1: the original path lies outside the audio folder"},
        {entry(R"("quarantined": "../a/x.ogg")"), "entry 1: leaves the quarantine folder"},
        {entry(R"("folder": "/etc")"), "entry 1: leaves the quarantine folder"},
        {entry(R"("size": 1e30)"), "\"size\" must be a whole number"},
        {entry(R"("size": 4.9)"), "\"size\" must be a whole number"},
        {entry(R"("modifiedNanoseconds": 9223372036854775808)"), "fits in 64 bits"},
        {entry(R"("temporary": "../../etc/passwd")"), "\"temporary\" is not a name this program makes"},
    };
    for (const auto &c : cases) {
        set.tree.writeFile("m.json", c.text);
        const CleanupOutcome outcome = restoreMovedSounds(manifest, FileOperations::native());
        EXPECT_NE(outcome.error.find("is not a manifest of moved sounds: "), std::string::npos) << outcome.error;
        EXPECT_NE(outcome.error.find(c.why), std::string::npos) << outcome.error;
        EXPECT_TRUE(outcome.files.empty());
    }
#ifndef _WIN32
    // Not regular files, or too large to be a manifest: refused without reading on.
    ASSERT_EQ(::mkfifo((set.tree / "fifo").c_str(), 0600), 0);
    fs::resize_file(set.tree / "m.json", (64u << 20) + 1);
    for (const auto &[path, why] : {std::pair<std::string, std::string>{"/dev/zero", "not a regular file"},
                                    {set.tree / "fifo", "not a regular file"},
                                    {set.tree / "m.json", "larger than 64 MiB"}})
        EXPECT_NE(restoreMovedSounds(path, FileOperations::native()).error.find(why), std::string::npos) << path;
#endif
    EXPECT_NE(restoreMovedSounds(set.tree / "none.json", FileOperations::native()).error.find("No such file"),
              std::string::npos);
}

TEST(RestoreMoved, NeverReachesThroughALinkedFolder)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need rights a test under Wine does not have";
#endif
    SoundSet set;
    ASSERT_TRUE(moveUnusedSounds(set.request(), FileSystem::native(), FileOperations::native()).complete());
    fs::rename(set.tree / "q/x", set.tree / "elsewhere");
    fs::create_directory_symlink(set.tree / "elsewhere", set.tree / "q/x");
    const CleanupOutcome outcome = restoreMovedSounds(set.manifestPath(), FileOperations::native());
    EXPECT_EQ(outcome.count(FileResult::Restored), 1u);  // two.ogg
    for (const FileReport &file : outcome.files)
        EXPECT_EQ(file.result == FileResult::Failed, file.message.find("q/x is a symbolic link") != std::string::npos);
    EXPECT_TRUE(fs::exists(set.tree / "elsewhere/one.ogg"));
}

// A manifest as the version before intents were recorded wrote it.
TEST(RestoreMoved, RestoresAManifestOfTheFirstFormat)
{
    SoundSet set;
    set.tree.writeFile("q/x/y/three.ogg", "333");
    set.tree.writeFile("q/vorrel-moved-sounds.json", R"({
  "formatVersion": 1, "programVersion": "1.0.0.0", "created": "2026-01-01T00:00:00Z",
  "schemesFolder": "", "audioFolder": ")" + fsPath(set.tree / "audio").generic_string() + R"(",
  "schemesSubfolders": false, "audioSubfolders": true, "files": [
    {"original": ")" + fsPath(set.tree / "audio/x/y/three.ogg").generic_string() + R"(", "quarantined": "x/y/three.ogg", "size": 3, "modifiedNanoseconds": 1}
  ]
})");
    fs::remove(set.tree / "audio/x/y/three.ogg");
    EXPECT_TRUE(restoreMovedSounds(set.manifestPath(), FileOperations::native()).complete());
    EXPECT_EQ(TestFolder::readFile(set.tree / "audio/x/y/three.ogg"), "333");
    EXPECT_FALSE(fs::exists(set.tree / "q"));
}

// The quarantine folder may hold the user's own files and folders: a move
// and a restore leave them, and a dry run changes nothing at all.
TEST(MoveUnused, TouchesNothingItDidNotMake)
{
    SoundSet set;
    set.tree.writeFile("q/two.ogg", "mine");
    set.tree.writeFile("q/x", "in the way");
    set.tree.writeFile("q/vorrel-moved-sounds.json.new-1", "mine too");
    set.tree.makeFolder("q/.git/refs");
    set.tree.makeFolder("audio/.stash.ogg/inside");
    MoveRequest request = set.request();
    const auto listing = [&] {
        std::vector<std::string> paths;
        for (const auto &entry : fs::recursive_directory_iterator(set.tree.path()))
            paths.push_back(entry.path().string() + (entry.is_directory() ? "" : TestFolder::readFile(entry.path().string())));
        return paths;
    };
    const std::vector<std::string> before = listing();
    for (const bool dryRun : {true, false}) {
        request.dryRun = dryRun;
        const CleanupOutcome outcome = moveUnusedSounds(request, FileSystem::native(), FaultyOperations({.crossDevice = true}));
        ASSERT_EQ(outcome.files.size(), 4u);
        EXPECT_EQ(outcome.count(FileResult::Failed), 3u);
        for (const FileReport &file : outcome.files)
            EXPECT_NE(file.message.find(file.path.ends_with("two.ogg")      ? "already exists"
                                        : file.path.ends_with("stash.ogg") ? "a folder, not a sound file"
                                                                           : withNativeSeparators("q/x is not a folder")),
                      std::string::npos) << file.message;
        EXPECT_EQ(listing(), before);
    }
    fs::remove(set.tree / "q/two.ogg");
    fs::remove(set.tree / "q/x");
    const CleanupOutcome moved = moveUnusedSounds(set.request(), FileSystem::native(), FileOperations::native());
    EXPECT_EQ(moved.count(FileResult::Moved), 3u);
    EXPECT_TRUE(restoreMovedSounds(moved.manifestPath, FileOperations::native()).complete());
    EXPECT_TRUE(fs::exists(set.tree / "q/.git/refs"));
    EXPECT_EQ(TestFolder::readFile(set.tree / "q/vorrel-moved-sounds.json.new-1"), "mine too");
    EXPECT_FALSE(fs::exists(set.tree / "q/x"));
}

// Refused as a whole, before any file moves, leaving nothing behind.
TEST(MoveUnused, RefusesAQuarantineFolderItCannotUse)
{
    SoundSet set;
    set.tree.writeFile("blocker", "a file");
    set.tree.writeFile("earlier/vorrel-moved-sounds.json", "{}");
    const struct {
        std::string folder;
        Faults faults;
        const char *why;
    } cases[] = {
        {set.tree.path(), {}, "holds the audio folder"},
        {set.tree / "audio/x/q", {}, "lies inside the audio folder"},
        {set.tree / "blocker/q/r", {}, "blocker is in the way (it is not a folder)"},
        {set.tree / "q", {.rivalManifest = true}, "another move may be running into it"},
        {set.tree / "earlier", {}, "already holds a manifest"},
        {"relative", {}, "must be an absolute path: relative"},
    };
    for (const auto &c : cases) {
        MoveRequest request = set.request();
        request.quarantineFolder = c.folder;
        for (const bool dryRun : {true, false}) {
            if (dryRun && c.faults.rivalManifest)
                continue;  // a dry run meets no rival: it makes no folder
            request.dryRun = dryRun;
            const CleanupOutcome outcome = moveUnusedSounds(request, FileSystem::native(), FaultyOperations(c.faults));
            EXPECT_NE(outcome.error.find(c.why), std::string::npos) << c.folder << ": " << outcome.error;
            EXPECT_TRUE(outcome.files.empty());
        }
    }
    EXPECT_EQ(TestFolder::readFile(set.tree / "q/vorrel-moved-sounds.json"), "rival");
    EXPECT_FALSE(fs::exists(set.tree / "blocker/q"));
    for (const auto &[path, content] : unusedFiles)
        EXPECT_EQ(TestFolder::readFile(set.tree / ("audio/" + path)), content);
}

// After every write the file is exactly the whole manifest of that moment,
// whether earlier versions are swapped in, kept by links, or never reused.
TEST(ManifestWriter, EveryWriteLeavesTheWholeManifestOfThatMoment)
{
    for (const Faults &faults : {Faults{}, Faults{.swapRefused = true}, Faults{.swapRefused = true, .linkRefused = true}}) {
        TestFolder folder;
        const std::string path = folder / "m.json";
        QuarantineManifest expected;
        expected.spareFiles = {spareName("run", 1), spareName("run", 2)};
        {
            const FaultyOperations operations(faults);
            ManifestWriter writer(operations, path, expected, "run");
            // Five appended; the last, the second and the first dropped; one more appended.
            for (const int step : {0, 1, 2, 3, 4, -5, -2, -1, 5}) {
                if (step >= 0) {
                    const QuarantinedFile file{.originalPath = "/a/" + std::to_string(step),
                                               .quarantinedPath = std::to_string(step), .size = 1,
                                               .modifiedNanoseconds = step, .temporary = {}};
                    writer.append(file);
                    expected.files.push_back(file);
                } else {
                    writer.erase(static_cast<std::size_t>(-step - 1));
                    expected.files.erase(expected.files.begin() + (-step - 1));
                }
                ASSERT_FALSE(writer.write());
                EXPECT_EQ(TestFolder::readFile(path), manifestToText(expected));
            }
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);  // no spares
    }
}

TEST(QuarantineManifest, KeepsNamesThatAreNotUtf8ByteForByte)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows names are UTF-16: every one of them converts to valid UTF-8";
#endif
    QuarantineManifest manifest;
    manifest.audioFolder = "/a\xff";
    manifest.files.push_back({.originalPath = "/a\xff/\xfe.ogg", .quarantinedPath = "\xfe.ogg", .size = 7,
                              .modifiedNanoseconds = -3, .temporary = {}});
    QuarantineManifest read;
    ASSERT_EQ(manifestFromText(manifestToText(manifest), read), "");
    EXPECT_EQ(read.audioFolder, manifest.audioFolder);
    ASSERT_EQ(read.files.size(), 1u);
    EXPECT_EQ(read.files[0].originalPath, manifest.files[0].originalPath);
    EXPECT_EQ(read.files[0].quarantinedPath, manifest.files[0].quarantinedPath);
    EXPECT_EQ(read.files[0].modifiedNanoseconds, -3);
}

// A step that cannot be done whole changes nothing: above all, it never
// replaces or removes an entry that was at its destination before.
TEST(FileOperations, AFailedStepLeavesWhatWasThere)
{
    TestFolder tree;
    tree.writeFile("source", "new");
    tree.writeFile("taken", "old");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((tree / "fifo").c_str(), 0600), 0);
#endif
    const FileOperations &operations = FileOperations::native();
    const struct {
        const char *name;
        std::error_code error;
        std::errc expected;
    } cases[] = {
        {"copy onto an entry", operations.copyToNewFile(tree / "source", tree / "taken"), std::errc::file_exists},
        {"copy of nothing", operations.copyToNewFile(tree / "none", tree / "taken"), std::errc::no_such_file_or_directory},
#ifndef _WIN32
        {"copy of a FIFO", operations.copyToNewFile(tree / "fifo", tree / "taken"), std::errc::operation_not_supported},
#endif
        {"rename onto an entry", operations.renameNoReplace(tree / "source", tree / "taken"), std::errc::file_exists},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.error, c.expected) << c.name << ": " << c.error.message();
        EXPECT_EQ(TestFolder::readFile(tree / "taken"), "old") << c.name;
    }
    EXPECT_EQ(TestFolder::readFile(tree / "source"), "new");
}

} // namespace
