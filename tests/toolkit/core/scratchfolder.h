#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <stdlib.h>

// A fresh temporary folder, removed with its contents when it goes out of scope.
struct ScratchFolder {
    ScratchFolder() { EXPECT_NE(mkdtemp(path.data()), nullptr) << "cannot make temporary folder " << path; }
    ~ScratchFolder() { std::filesystem::remove_all(path, ignored); }
    std::string file(const std::string &name) const { return path + "/" + name; }

    std::string path = (std::filesystem::temp_directory_path() / "vorrel-test-XXXXXX").string();
    std::error_code ignored;
};
