#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cleanup/near_misses.h"
#include "tests/support/test_folder.h"

#ifdef _WIN32
#include <windows.h>

#include "toolkit/filesystem/utf16_text.h"
#endif

namespace {

// `text` (ASCII) as UTF-16, with or without a byte-order mark.
std::string utf16(const std::string &text, bool bigEndian, bool mark)
{
    std::string bytes = !mark ? "" : bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text)
        bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}

// Whether the system takes the names `a` and `b` for one file. On Windows its
// own case-insensitive comparison decides (Wine's keeps the final sigma apart
// from the capital); elsewhere these names meet by full case folding.
bool oneFileName([[maybe_unused]] const std::string &a, [[maybe_unused]] const std::string &b)
{
#ifdef _WIN32
    const std::u16string wideA = utf8ToUtf16(a), wideB = utf8ToUtf16(b);
    return ::CompareStringOrdinal(reinterpret_cast<const wchar_t *>(wideA.c_str()), -1,
                                  reinterpret_cast<const wchar_t *>(wideB.c_str()), -1, TRUE) == CSTR_EQUAL;
#else
    return true;
#endif
}

TEST(NearMisses, NamesTheFileSystemOrAWindowsSchemeTakesForTheFile)
{
    const std::string scheme = "\"s\"\r\nbell\r\n";
    const std::string finalSigma = "\xCF\x83\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1\xCF\x82";  // σιγμας
    const std::string capitalSigma = "\xCE\xA3\xCE\x99\xCE\x93\xCE\x9C\xCE\x91\xCE\xA3";  // ΣΙΓΜΑΣ
    const bool sigmasMeet = oneFileName(finalSigma, capitalSigma);
    const struct {
        std::string scheme;             // the scheme file; one plain line after a quoted one names a sound
        std::vector<std::string> audio; // base names of the audio files
        std::optional<std::string> nearReference;  // of the first unreferenced file
        bool missingHasNear;
    } cases[] = {
        {"\"s\"\ndoor_slam\n", {"DOOR_SLAM"}, "door_slam", true},
        {"\"s\"\n wind\t\n", {"wind"}, " wind\t", true},
        {"\"s\"\n  Rain \n", {"rAIN"}, "  Rain ", true},
        {"\"s\"\nthunder\n", {"thunder_x"}, std::nullopt, false},
        {"\"s\"\nwin d\n", {"wind"}, std::nullopt, false},  // inner blanks count
        {"\"s\"\n\xD1\x88\xD0\xB0\xD0\xB3\xD0\xB8_2\n", {"\xD0\xA8\xD0\x90\xD0\x93\xD0\x98_2"},
         "\xD1\x88\xD0\xB0\xD0\xB3\xD0\xB8_2", true},  // шаги_2, ШАГИ_2
        {"\"s\"\n\xCF\x83\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1\n", {"\xCE\xA3\xCE\x99\xCE\x93\xCE\x9C\xCE\x91"},
         "\xCF\x83\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1", true},  // σιγμα, ΣΙΓΜΑ
        {"\"s\"\n" + finalSigma + "\n", {capitalSigma}, sigmasMeet ? std::optional(finalSigma) : std::nullopt, sigmasMeet},
        {"\"s\"\ncafe\xCC\x81\n", {"caf\xC3\xA9"}, "cafe\xCC\x81", true},  // é as e and an accent, and as one
        {"\"s\"\n\xC2\xA0gong\xE3\x80\x80\n", {"gong"}, "\xC2\xA0gong\xE3\x80\x80", true},  // no-break, ideographic
        {"\"s\"\ngo\xC2\xA0ng\n", {"gong"}, std::nullopt, false},
        {"\"s\"\ncaf\xE9\n", {"caf\xC3\xA9"}, "caf\xE9", true},  // é as Windows-1252 writes it
        {"\"s\"\n\xE9t\xE9\n", {"ete"}, std::nullopt, false},
        {utf16(scheme, false, true), {"bell"}, "bell", false},
        {utf16(scheme, true, true), {"bell"}, "bell", false},
        {utf16(scheme, true, false), {"bell"}, "bell", false},
        {utf16(scheme, false, false), {"bell"}, "bell", false},
        // The same name in two folders, referenced once: the second file is
        // spelt exactly as the reference, which makes it no near miss.
        {"\"s\"\nrain\n", {"rain", "sub/rain"}, std::nullopt, false},
    };
    for (const auto &c : cases) {
        const std::string label = "case " + std::to_string(&c - cases);  // gtest misprints bytes that are not UTF-8
        TestFolder tree;
        tree.writeFile("s/a.sch", c.scheme);
        for (const std::string &name : c.audio)
            tree.writeFile("a/" + name + ".ogg");
        const ScanDetails details = runScanDetailed({tree / "s", tree / "a", false, true, {}});
        if (c.nearReference) {  // the report itself still compares byte for byte
            EXPECT_EQ(details.lines, (std::vector<std::string>{c.audio[0], "", "Scan termined."})) << label;
        }
        const NearMisses misses = findNearMisses(details);
        ASSERT_EQ(misses.unreferenced.size(), details.unreferenced.size());
        ASSERT_FALSE(misses.unreferenced.empty()) << label;
        EXPECT_EQ(misses.unreferenced[0] ? std::optional(misses.unreferenced[0]->name) : std::nullopt, c.nearReference) << label;
        if (c.nearReference && misses.unreferenced[0]) {
            EXPECT_EQ(misses.unreferenced[0]->schemeFile, tree / "s/a.sch");
            EXPECT_EQ(misses.unreferenced[0]->lineNumber, 2u);
        }
        ASSERT_EQ(misses.missing.size(), details.missing.size());
        EXPECT_EQ(!misses.missing.empty() && misses.missing[0] == details.unreferenced[0].path, c.missingHasNear) << label;
    }
}

} // namespace
