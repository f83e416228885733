#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scan/file_name_list.h"

namespace {

TEST(FileNameList, AppendKeepsTheOrderGiven)
{
    FileNameList list;
    EXPECT_TRUE(list.empty());
    for (const char *name : {"first", "second", "third"})
        list.append(name, std::string("/") + name, false);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "first");
    EXPECT_EQ(list[2].name, "third");
    EXPECT_EQ(list[1].folder(), "/second");
}

struct CutCase {
    const char *name;
    bool cut;
    const char *stored;
};

void PrintTo(const CutCase &c, std::ostream *out)
{
    *out << '"' << c.name << (c.cut ? "\" cut" : "\" kept");
}

class FileNameListCut : public testing::TestWithParam<CutCase> {};

TEST_P(FileNameListCut, CutsTheLastFourCharactersOnlyWhenAsked)
{
    FileNameList list;
    list.append(GetParam().name, "/music", GetParam().cut);
    EXPECT_EQ(list[0].name, GetParam().stored);
    // The file can always be found again from the node.
    EXPECT_EQ(pathOf(list[0]), std::string("/music/") + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Names, FileNameListCut,
                         testing::Values(CutCase{"wind01.ogg", true, "wind01"}, CutCase{"wind01.ogg", false, "wind01.ogg"},
                                         CutCase{"WIND2.OGG", true, "WIND2"}, CutCase{".ogg", true, ""},
                                         CutCase{"ogg", true, ""},  // shorter than four: the empty name
                                         CutCase{"", true, ""}));

TEST(FileNameList, ContainsComparesExactly)
{
    FileNameList list;
    EXPECT_FALSE(list.contains(""));
    list.append("Wind01", "", false);
    list.append("", "", false);
    EXPECT_TRUE(list.contains("Wind01"));
    EXPECT_FALSE(list.contains("wind01"));
    EXPECT_FALSE(list.contains("Wind01 "));
    EXPECT_TRUE(list.contains(""));
}

} // namespace
