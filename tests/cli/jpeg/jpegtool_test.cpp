// vorrel-jpeg against the reference decoder and encoder, and its answers to
// bad input and bad command lines.
#include "tests/support/program_runner.h"
#include "tests/support/reference_codec.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const std::string tool = VORREL_JPEG_TOOL;

TEST(JpegTool, DecodesLikeTheReferenceDecoder)
{
    TestFolder folder;
    const std::string jpeg = folder / "photo.jpg";
    writePnm(folder / "photo.ppm", makePhotoImage(205, 77, 12));
    runReference("cjpeg", {"-progressive"}, folder / "photo.ppm", jpeg);
    struct Case { std::vector<std::string> options, reference; bool sameIndices; };
    const std::vector<Case> cases = {
        {{}, {"-dct", "float"}, true},
        {{"--scale", "4"}, {"-dct", "float", "-scale", "1/4"}, true},
        {{"--gray"}, {"-dct", "float", "-grayscale", "-colors", "236"}, true},
        {{"--depth", "8"}, {"-dct", "float", "-colors", "236"}, true},
        {{"--depth", "24", "--fast"}, {"-dct", "fast"}, true},
        {{"--depth", "8", "--fast"}, {"-dct", "fast", "-colors", "236", "-onepass", "-dither", "ordered"}, false},
        {{"--no-smoothing", "--progressive-view"}, {"-dct", "float"}, true},
    };
    for (const Case &c : cases) {
        std::vector<std::string> arguments{"decode", jpeg, folder / "ours.bmp"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(runProgram(tool, arguments), 0);
        std::vector<std::string> reference = c.reference;
        reference.push_back("-bmp");
        runReference("djpeg", reference, jpeg, folder / "reference.bmp");
        EXPECT_EQ(describeDifference(readPicture(folder / "reference.bmp"), readPicture(folder / "ours.bmp"), c.sameIndices), "")
            << arguments.back();
    }
}

TEST(JpegTool, EncodesLikeTheReferenceEncoder)
{
    TestFolder folder;
    // The same pixels as BMP for the tool and as PPM for the reference (from
    // a BMP it would copy the BMP's resolution into the JPEG header).
    writePnm(folder / "photo.ppm", makePhotoImage(205, 77, 13));
    runReference("cjpeg", {"-quality", "100"}, folder / "photo.ppm", folder / "photo.jpg");
    runReference("djpeg", {"-bmp"}, folder / "photo.jpg", folder / "photo.bmp");
    runReference("djpeg", {"-pnm"}, folder / "photo.jpg", folder / "photo.ppm");
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{}, {"-quality", "90"}},
        {{"--quality", "55"}, {"-quality", "55"}},
        {{"--gray"}, {"-quality", "90", "-grayscale"}},
        {{"--progressive", "--quality", "100"}, {"-quality", "100", "-progressive"}},
    };
    for (const auto &[options, referenceOptions] : cases) {
        // Options before the files here, after them in the decode test.
        std::vector<std::string> arguments{"encode"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {folder / "photo.bmp", folder / "ours.jpg"});
        ASSERT_EQ(runProgram(tool, arguments), 0);
        std::vector<std::string> reference = referenceOptions;
        reference.insert(reference.end(), {"-dct", "float", "-baseline"});
        runReference("cjpeg", reference, folder / "photo.ppm", folder / "reference.jpg");
        EXPECT_TRUE(readFileBytes(folder / "ours.jpg") == readFileBytes(folder / "reference.jpg"))
            << "options: " << (options.empty() ? std::string("none") : options[0]);
    }
}

TEST(JpegTool, ExitStatusTellsUsageErrorsFromBadFilesWhichGetOneLineNamingTheFileAndVersionAndHelpAnswer)
{
    TestFolder folder;
    writeFileBytes(folder / "broken.jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0x00});
    writeFileBytes(folder / "broken.bmp", {'B', 'M', 0x00});
    const std::string missing = folder / "missing.jpg", out = folder / "out";
    EXPECT_EQ(runProgram(tool, {}), 2);
    EXPECT_EQ(runProgram(tool, {"decode", missing}), 2);
    EXPECT_EQ(runProgram(tool, {"encode", "a.bmp", "b.jpg", "--scale", "2"}), 2);
    for (const auto &[command, input] : {std::pair<std::string, std::string>{"decode", missing},
                                         {"decode", folder / "broken.jpg"}, {"encode", folder / "broken.bmp"}}) {
        EXPECT_EQ(runProgram(tool, {command, input, out}, folder / "stdout", folder / "stderr"), 1) << input;
        const std::string text = TestFolder::readFile(folder / "stderr");
        EXPECT_EQ(text.rfind("vorrel-jpeg: " + input + ": ", 0), 0u) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    // The version is one line, and the help lists its option.
    EXPECT_EQ(runProgram(tool, {"--version"}, folder / "version") + runProgram(tool, {"--help"}, folder / "help"), 0);
    EXPECT_EQ(TestFolder::readFile(folder / "version"), "1.0.0.0\n");
    EXPECT_NE(TestFolder::readFile(folder / "help").find("--version"), std::string::npos);
}

} // namespace
