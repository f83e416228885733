#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <stdlib.h>

// A temporary folder named after the running test, removed with its contents
// when the test ends.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("vorrel-") + test->test_suite_name() + "-" + test->name() + "-XXXXXX";
        std::replace(name.begin(), name.end(), '/', '_');
        std::string pattern = (std::filesystem::temp_directory_path() / name).string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make temporary folder " + pattern);
        m_path = pattern;
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path, m_ignored); }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    std::string file(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
    std::error_code m_ignored;
};
