#include <cerrno>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "cleanup/manifest_writer.h"
#include "tests/support/test_folder.h"

namespace {

// Without swapping two files, and without hard links either.
struct Refusing : FileOperations {
    explicit Refusing(bool links) : m_links(links) {}
    bool m_links;
    std::error_code exchangeFiles(const std::string &, const std::string &) const override
    {
        return {EINVAL, std::generic_category()};
    }
    std::error_code linkNoReplace(const std::string &existing, const std::string &link) const override
    {
        return m_links ? FileOperations::linkNoReplace(existing, link) : std::error_code(EPERM, std::generic_category());
    }
};

// Appends, drops from the end and from the middle, appends again: after
// every write the file is exactly the whole manifest of that moment, whether
// earlier versions are reused (swapped or linked) or every version is a new
// file.
TEST(ManifestWriter, EveryWriteLeavesTheWholeManifestOfThatMoment)
{
    const Refusing noSwap(true), noLinks(false);
    for (const FileOperations *operations : {&FileOperations::native(), static_cast<const FileOperations *>(&noSwap),
                                             static_cast<const FileOperations *>(&noLinks)}) {
        TestFolder folder;
        const std::string path = folder / "m.json";
        QuarantineManifest expected;
        expected.audioFolder = "/a";
        const auto check = [&](ManifestWriter &writer) {
            ASSERT_FALSE(writer.write());
            EXPECT_EQ(TestFolder::readFile(path), manifestToText(expected));
        };
        {
            ManifestWriter writer(*operations, path, expected);
            for (int i = 0; i < 5; ++i) {
                const QuarantinedFile file{"/a/" + std::to_string(i) + ".ogg", std::to_string(i) + ".ogg",
                                           static_cast<std::uintmax_t>(i * 1000), i};
                writer.append(file);
                expected.files.push_back(file);
                check(writer);
            }
            for (const std::size_t index : {4, 1, 0}) {
                writer.erase(index);
                expected.files.erase(expected.files.begin() + static_cast<std::ptrdiff_t>(index));
                check(writer);
            }
            writer.append({"/a/new.ogg", "new.ogg", 1, 2});
            expected.files.push_back({"/a/new.ogg", "new.ogg", 1, 2});
            check(writer);
        }
        std::size_t left = 0;  // the spares go with the writer
        for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(folder.path()))
            ++left;
        EXPECT_EQ(left, 1u);
    }
}

} // namespace
