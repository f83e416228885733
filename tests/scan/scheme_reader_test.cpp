#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scan/scheme_reader.h"
#include "tests/toolkit/filesystem/temp_tree.h"

namespace {

struct Read {
    std::vector<std::string> names;
    std::vector<std::size_t> lines;
    std::vector<std::size_t> files;
    std::vector<std::size_t> unreadable;
};

// Reads the scheme files `names` of `tree`, in that order, with one reader.
Read readFiles(const TempTree &tree, const std::vector<std::string> &names, const FileSystem &fs = FileSystem::posix())
{
    FileNameList schemes;
    for (const std::string &name : names)
        schemes.append(name, tree.root(), false);
    std::vector<SchemeReference> references;
    Read read;
    SchemeReader(fs).readSchemes(schemes, references, read.unreadable);
    for (const SchemeReference &reference : references) {
        read.names.push_back(reference.name);
        read.lines.push_back(reference.lineNumber);
        read.files.push_back(reference.schemeIndex);
    }
    return read;
}

TEST(SchemeReader, WorkedExample)
{
    TempTree tree;
    tree.file("guard.sch",
              "schema \"guard_alert\"\n"
              "guard_alert_01\n"
              "guard_alert_02\n"
              "volume \"-300\"\n"
              "\"a\" \"b\"\n"
              "\n");
    const Read read = readFiles(tree, {"guard.sch"});
    EXPECT_EQ(read.names, (std::vector<std::string>{"guard_alert_01", ""}));
    EXPECT_EQ(read.lines, (std::vector<std::size_t>{2, 6}));
}

struct FileCase {
    const char *label;
    std::string content;
    std::vector<std::string> names;
};

void PrintTo(const FileCase &c, std::ostream *out)
{
    *out << c.label;
}

class SchemeReaderFiles : public testing::TestWithParam<FileCase> {};

TEST_P(SchemeReaderFiles, FindsTheFirstPlainLineAfterQuotedLines)
{
    TempTree tree;
    tree.file("s.sch", GetParam().content);
    EXPECT_EQ(readFiles(tree, {"s.sch"}).names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, SchemeReaderFiles,
    testing::Values(FileCase{"NoQuotes", "a\nb\n", {}},
                    FileCase{"TwoQuotedThenTwoPlain", "\"x\"\n\"y\"\na\nb\n", {"a"}},
                    FileCase{"QuoteAnywhereInTheLine", "x\"\na\ny \" z\nb\n\"\n", {"a", "b"}},
                    FileCase{"CrLf", "\"x\"\r\nwind01\r\n\"y\"\r\nrain\r\n", {"wind01", "rain"}},
                    FileCase{"LastLineWithoutLineFeed", "\"x\"\nwind01", {"wind01"}},
                    FileCase{"BlanksKept", "\"x\"\n  wind01 \n\"y\"\n\twind02\n", {"  wind01 ", "\twind02"}},
                    // The text ends at the zero byte: the quote after it does not count.
                    FileCase{"ZeroByteEndsTheLine", std::string("\"x\"\nab\0\"cd\n", 11), {"ab"}},
                    FileCase{"ZeroByteFirst", std::string("\"x\"\n\0abc\nnext\n", 14), {""}},
                    FileCase{"LongLineIsOneLine", "\"x\"\n" + std::string(5000, 'w') + "\n", {std::string(5000, 'w')}},
                    FileCase{"LongQuotedLineIsOneLine", std::string(3000, 'q') + "\"\n" + std::string(3000, 'p') + "\nr\n",
                             {std::string(3000, 'p')}},
                    FileCase{"Empty", "", {}}),
    [](const testing::TestParamInfo<FileCase> &info) { return std::string(info.param.label); });

TEST(SchemeReader, QuoteStateCarriesOverToTheNextFile)
{
    TempTree tree;
    tree.file("a.sch", "plain\n\"ends quoted\"\n");
    tree.file("b.sch", "first_of_b\nsecond_of_b\n");
    tree.file("c.sch", "first_of_c\n");
    const Read read = readFiles(tree, {"a.sch", "b.sch", "c.sch"});
    EXPECT_EQ(read.names, std::vector<std::string>{"first_of_b"});
    EXPECT_EQ(read.files, std::vector<std::size_t>{1});
    EXPECT_EQ(read.lines, std::vector<std::size_t>{1});
}

TEST(SchemeReader, FilesThatCannotBeReadAreSkippedAndNamed)
{
    TempTree tree;
    tree.file("a.sch", "\"x\"\n");
    tree.file("locked.sch", "\"y\"\nhidden_ref\n");
    tree.folder("folder.sch");  // opens, then every read fails
    tree.file("c.sch", "after_lock\n");
    RefusingFileSystem fs;
    fs.refusedFiles.insert(tree.path("locked.sch"));
    const Read read = readFiles(tree, {"a.sch", "locked.sch", "folder.sch", "c.sch", "gone.sch"}, fs);
    // The quote state is untouched by the files that could not be read.
    EXPECT_EQ(read.names, std::vector<std::string>{"after_lock"});
    EXPECT_EQ(read.unreadable, (std::vector<std::size_t>{1, 2, 4}));
}

} // namespace
