#pragma once

#include <filesystem>

// A temporary folder named after the running test (suite and case), made on
// construction and removed with its contents on destruction.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::string &name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};
