#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

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
        if (c.moved) {
            EXPECT_TRUE(restoreMovedSounds(set.manifestPath(), FileOperations::native()).complete());
        }
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

    // Refused before anything moves: a manifest already there, a folder inside the audio folder.
    for (const std::string &folder : {set.tree / "q", set.tree / "audio/x/q", std::string("relative")}) {
        request.quarantineFolder = folder;
        outcome = moveUnusedSounds(request, FileSystem::native(), FileOperations::native());
        EXPECT_FALSE(outcome.error.empty()) << folder;
        EXPECT_TRUE(outcome.files.empty());
    }
}

TEST(RestoreMoved, PutsFilesBackWithoutOverwritingAndKeepsTheManifestTruthful)
{
    const struct {
        const char *name;
        Faults faults;
        bool occupyOne;  // a new file stands at one original path
        std::size_t restored, conflicts;
    } cases[] = {
        {"same file system", {}, false, 3, 0},
        {"another file system", {.crossDevice = true}, false, 3, 0},
        {"original path taken", {}, true, 2, 1},
        {"manifest unwritable", {.manifestWritesLeft = 0}, false, 1, 0},  // back, then the stop
        {"earlier manifest not rewritable", {.manifestWritesLeft = 1}, false, 1, 0},
        {"no hard links", {.swapRefused = true, .linkRefused = true}, false, 3, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SoundSet set;
        ASSERT_TRUE(moveUnusedSounds(set.request(), FileSystem::native(), FileOperations::native()).complete());
        if (c.occupyOne)
            set.tree.writeFile("audio/two.ogg", "new");
        const CleanupOutcome outcome = restoreMovedSounds(set.manifestPath(), FaultyOperations(c.faults));
        EXPECT_EQ(outcome.count(FileResult::Restored), c.restored);
        EXPECT_EQ(outcome.count(FileResult::Conflict), c.conflicts);
        if (c.occupyOne) {
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
    const std::string entry = R"("formatVersion": 1, "programVersion": "1", "created": "", "schemesFolder": "",
        "audioFolder": "", "schemesSubfolders": false, "audioSubfolders": false, "files": [{"original": )";
    for (const std::string &text : {std::string("{"), std::string("{\"formatVersion\": 2}"),
                                   "{" + entry + R"("/x", "quarantined": "../audio/two.ogg", "size": 2, "modifiedNanoseconds": 0}]})",
                                   "{" + entry + R"("x", "quarantined": "two.ogg", "size": 2, "modifiedNanoseconds": 0}]})"}) {
        set.tree.writeFile("m.json", text);
        const CleanupOutcome outcome = restoreMovedSounds(manifest, FileOperations::native());
        EXPECT_NE(outcome.error.find("is not a manifest"), std::string::npos) << outcome.error;
        EXPECT_TRUE(outcome.files.empty());
    }
    EXPECT_NE(restoreMovedSounds(set.tree / "none.json", FileOperations::native()).error.find("No such file"),
              std::string::npos);
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

} // namespace
