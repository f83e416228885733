#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>

namespace fs = std::filesystem;

TestFolder::TestFolder()
{
    std::string name = "vorrel";
    if (const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info())
        name += std::string("-") + test->test_suite_name() + "-" + test->name();
    std::replace(name.begin(), name.end(), '/', '_'); // parameterised names
    std::string pattern = (fs::temp_directory_path() / (name + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make temporary folder " + pattern);
    m_path = fs::canonical(pattern).string();
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

void TestFolder::makeFolder(const std::string &relative) const
{
    fs::create_directories(*this / relative);
}

void TestFolder::writeFile(const std::string &relative, const std::string &content) const
{
    const fs::path target = *this / relative;
    fs::create_directories(target.parent_path());
    if (!std::ofstream(target, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size())))
        throw std::runtime_error("cannot write test file " + target.string());
}

std::string TestFolder::readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return file ? content.str() : "<missing>";
}
