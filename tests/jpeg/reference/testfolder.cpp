#include "tests/jpeg/reference/testfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include <stdlib.h>

TestFolder::TestFolder()
{
    std::string name = "vorrel";
    if (const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info()) {
        name += std::string("-") + test->test_suite_name() + "-" + test->name();
    }
    // Parameterised test names contain '/', which must not make sub-folders.
    std::replace(name.begin(), name.end(), '/', '_');
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make temporary folder " + pattern);
    m_path = pattern;
}

TestFolder::~TestFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
