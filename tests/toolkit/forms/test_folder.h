#pragma once

#include <string>

// A temporary folder tree for one test, named after the running test and
// removed, with everything in it, when the object goes.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    // Absolute, without a trailing '/'.
    const std::string &path() const { return m_path; }
    std::string operator/(const std::string &name) const { return m_path + '/' + name; }

    std::string makeFolder(const std::string &name) const;
    // Writes byte for byte, making the folders on the way.
    void writeFile(const std::string &name, const std::string &content) const;
    // The whole content, or "<missing>" when the file cannot be read.
    static std::string readFile(const std::string &path);

private:
    std::string m_path;
};
