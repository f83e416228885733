#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include <stdlib.h>

#include "tests/support/test_folder.h"

// Process-wide state changed for one scope and put back on every way out,
// so that a failing assertion cannot leave it changed for later tests.

// An environment variable set to value; its previous value, or its absence, comes back.
class EnvironmentVariableScope {
public:
    EnvironmentVariableScope(const char *name, const std::string &value) : m_name(name)
    {
        if (const char *previous = ::getenv(name))
            m_previous = previous;
        EXPECT_EQ(set(name, value.c_str()), 0) << name;
    }
    ~EnvironmentVariableScope() { set(m_name, m_previous ? m_previous->c_str() : nullptr); }
    EnvironmentVariableScope(const EnvironmentVariableScope &) = delete;
    EnvironmentVariableScope &operator=(const EnvironmentVariableScope &) = delete;

private:
    // Sets `name` to `value`, or removes it for nullptr.
    static int set(const char *name, const char *value)
    {
#ifdef _WIN32
        return ::_putenv_s(name, value ? value : "");
#else
        return value ? ::setenv(name, value, 1) : ::unsetenv(name);
#endif
    }

    const char *m_name;
    std::optional<std::string> m_previous;
};

// The working folder changed to folder; the previous one comes back.
class WorkingFolderScope {
public:
    explicit WorkingFolderScope(const std::string &folder)
    {
        std::error_code error;
        m_previous = std::filesystem::current_path(error);
        std::filesystem::current_path(fsPath(folder), error);
        EXPECT_FALSE(error) << "cannot enter " << folder << ": " << error.message();
    }
    ~WorkingFolderScope()
    {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
    }
    WorkingFolderScope(const WorkingFolderScope &) = delete;
    WorkingFolderScope &operator=(const WorkingFolderScope &) = delete;

private:
    std::filesystem::path m_previous;
};
