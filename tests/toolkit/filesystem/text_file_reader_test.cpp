#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/toolkit/filesystem/temp_tree.h"
#include "toolkit/filesystem/text_file_reader.h"

namespace {

std::vector<std::string> readAll(const std::string &path, TextFileReader::Read *last = nullptr)
{
    TextFileReader reader(path);
    std::vector<std::string> lines;
    std::string line;
    TextFileReader::Read result;
    while ((result = reader.readLine(line)) == TextFileReader::Read::Line)
        lines.push_back(line);
    if (last != nullptr)
        *last = result;
    return lines;
}

std::vector<std::string> numbered(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

std::string manyLines(int count)
{
    std::string text;
    for (const std::string &line : numbered(count))
        text += line + (line.size() % 2 == 0 ? "\r\n" : "\n");
    return text;
}

struct LineCase {
    const char *label;
    std::string content;
    std::vector<std::string> lines;
};

void PrintTo(const LineCase &c, std::ostream *out)
{
    *out << c.label;
}

class TextFileLines : public testing::TestWithParam<LineCase> {};

TEST_P(TextFileLines, SplitsAsTextModeDoes)
{
    TempTree tree;
    tree.file("f.sch", GetParam().content);
    TextFileReader::Read last = TextFileReader::Read::Line;
    EXPECT_EQ(readAll(tree.path("f.sch"), &last), GetParam().lines);
    EXPECT_EQ(last, TextFileReader::Read::End);
}

INSTANTIATE_TEST_SUITE_P(
    LineEndings, TextFileLines,
    testing::Values(LineCase{"Lf", "a\nb\n", {"a", "b"}},
                    LineCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                    LineCase{"NoEndAtLast", "a\nb", {"a", "b"}},
                    LineCase{"Empty", "", {}},
                    LineCase{"EmptyLines", "\n\r\n\n", {"", "", ""}},
                    LineCase{"LoneCrKept", "a\rb\nc\r", {"a\rb", "c\r"}},
                    LineCase{"CrCrLfDropsOne", "a\r\r\n", {"a\r"}},
                    LineCase{"ZeroBytePassedOn", std::string("ab\0cd\n", 6), {std::string("ab\0cd", 5)}},
                    LineCase{"VeryLongLine", std::string(100000, 'x') + "\nend", {std::string(100000, 'x'), "end"}},
                    // Reads come in pieces; a CR LF split between two must still pair up.
                    // (the first read takes 8 KiB: the CR ends it, the LF starts the next).
                    LineCase{"CrLfAcrossReads", std::string(8191, 'x') + "\r\n" + std::string(20000, 'y') + "\r\nz",
                             {std::string(8191, 'x'), std::string(20000, 'y'), "z"}},
                    LineCase{"ManyLines", manyLines(20000), numbered(20000)}),
    [](const testing::TestParamInfo<LineCase> &info) { return std::string(info.param.label); });

TEST(TextFileReader, MissingFileIsNotOpenAndReadsNothing)
{
    TempTree tree;
    TextFileReader reader(tree.path("missing.sch"));
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.error(), ENOENT);
    std::string line;
    EXPECT_EQ(reader.readLine(line), TextFileReader::Read::Error);
}

TEST(TextFileReader, FolderOpensButFailsToRead)
{
    TempTree tree;
    tree.folder("x.sch");
    TextFileReader::Read last = TextFileReader::Read::Line;
    EXPECT_TRUE(readAll(tree.path("x.sch"), &last).empty());
    EXPECT_EQ(last, TextFileReader::Read::Error);
}

} // namespace
