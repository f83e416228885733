#include <cstddef>
#include <list>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scan/comparison.h"

namespace {

std::vector<SchemeReference> referencesTo(const std::vector<std::string> &names)
{
    std::vector<SchemeReference> references;
    for (std::size_t i = 0; i < names.size(); ++i)
        references.push_back({names[i], 0, i + 1});
    return references;
}

// The comparison as a plain nested search: for each reference, while the
// audio list is not exhausted, walk the list from its head and unlink the
// first node of that name.
std::list<std::pair<std::string, std::string>> nestedSearch(std::list<std::pair<std::string, std::string>> audio,
                                                            const std::vector<std::string> &references)
{
    for (const std::string &reference : references) {
        for (auto node = audio.begin(); node != audio.end(); ++node) {
            if (node->first == reference) {
                audio.erase(node);
                break;
            }
        }
    }
    return audio;
}

TEST(Comparison, MatchesAPlainNestedSearchOnRandomLists)
{
    std::mt19937 random(20240601);
    for (int round = 0; round < 300; ++round) {
        // Few distinct names, so that repeats on both sides are common.
        std::uniform_int_distribution<int> nameOf(0, 1 + round % 12);
        std::uniform_int_distribution<std::size_t> lengthOf(0, 40);
        std::list<std::pair<std::string, std::string>> audio;  // name, folder
        std::vector<std::string> references(lengthOf(random));
        for (std::size_t n = lengthOf(random); n > 0; --n)
            audio.emplace_back("n" + std::to_string(nameOf(random)), "/f" + std::to_string(n));
        for (std::string &name : references)
            name = "n" + std::to_string(nameOf(random));

        FileNameList list;
        for (const auto &[name, folder] : audio)
            list.append(name, folder, false);
        removeReferencedAudio(list, referencesTo(references));
        std::list<std::pair<std::string, std::string>> fast;
        for (const FileNameNode &node : list)
            fast.emplace_back(node.name, node.folder());
        ASSERT_EQ(fast, nestedSearch(audio, references)) << "round " << round;
    }
}

TEST(Comparison, ReportsReferencesThatNoAudioFileHas)
{
    FileNameList audio;
    audio.append("wind", "/a", false);
    // "wind" twice: the second finds no node left but a file of that name
    // exists, so it is not missing. Case and blanks matter.
    const std::vector<std::size_t> missing =
        removeReferencedAudio(audio, referencesTo({"wind", "Wind", "wind", "wind ", "thunder"}));
    EXPECT_EQ(missing, (std::vector<std::size_t>{1, 3, 4}));
    EXPECT_TRUE(audio.empty());
}

} // namespace
