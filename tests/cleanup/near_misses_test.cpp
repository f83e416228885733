#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cleanup/near_misses.h"
#include "tests/support/test_folder.h"

namespace {

TEST(NearMisses, LetterCaseAndOuterBlanksOnly)
{
    const struct {
        std::string reference;          // the one scheme line naming a sound
        std::vector<std::string> audio; // base names of the audio files
        std::optional<std::string> near;  // the near reference of the first unreferenced file
        bool missingHasNear;
    } cases[] = {
        {"door_slam", {"DOOR_SLAM"}, "door_slam", true},
        {" wind\t", {"wind"}, " wind\t", true},
        {"  Rain ", {"rAIN"}, "  Rain ", true},
        {"thunder", {"thunder_x"}, std::nullopt, false},
        {"win d", {"wind"}, std::nullopt, false},     // inner blanks count
        {"caf\xc3\x89", {"caf\xc3\xa9"}, std::nullopt, false},  // only ASCII letters fold
        // The same name in two folders, referenced once: the second file is
        // spelt exactly as the reference, which makes it no near miss.
        {"rain", {"rain", "sub/rain"}, std::nullopt, false},
    };
    for (const auto &c : cases) {
        TestFolder tree;
        tree.writeFile("s/a.sch", "\"s\"\n" + c.reference + "\n");
        for (const std::string &name : c.audio)
            tree.writeFile("a/" + name + ".ogg");
        const ScanDetails details = runScanDetailed({tree / "s", tree / "a", false, true, {}});
        const NearMisses near = findNearMisses(details);
        ASSERT_EQ(near.unreferenced.size(), details.unreferenced.size());
        ASSERT_FALSE(near.unreferenced.empty()) << c.reference;
        EXPECT_EQ(near.unreferenced[0] ? std::optional(near.unreferenced[0]->name) : std::nullopt, c.near)
            << c.reference;
        if (c.near) {
            EXPECT_EQ(near.unreferenced[0]->schemeFile, tree / "s/a.sch");
            EXPECT_EQ(near.unreferenced[0]->lineNumber, 2u);
        }
        ASSERT_EQ(near.missing.size(), details.missing.size());
        EXPECT_EQ(!near.missing.empty() && near.missing[0] == details.unreferenced[0].path, c.missingHasNear)
            << c.reference;
    }
}

} // namespace
