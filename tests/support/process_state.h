#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include <stdlib.h>
#include <unistd.h>

// Process-wide state changed for one scope and put back on every way out,
// so that a failing assertion cannot leave it changed for later tests.

// An environment variable set to value; its previous value, or its absence, comes back.
class EnvironmentVariableScope {
public:
    EnvironmentVariableScope(const char *name, const std::string &value) : m_name(name)
    {
        if (const char *previous = ::getenv(name))
            m_previous = previous;
        EXPECT_EQ(::setenv(name, value.c_str(), 1), 0) << name;
    }
    ~EnvironmentVariableScope() { m_previous ? ::setenv(m_name, m_previous->c_str(), 1) : ::unsetenv(m_name); }
    EnvironmentVariableScope(const EnvironmentVariableScope &) = delete;
    EnvironmentVariableScope &operator=(const EnvironmentVariableScope &) = delete;

private:
    const char *m_name;
    std::optional<std::string> m_previous;
};

// The working folder changed to folder; the previous one comes back.
class WorkingFolderScope {
public:
    explicit WorkingFolderScope(const std::string &folder)
    {
        if (char *current = ::getcwd(nullptr, 0)) {
            m_previous = current;
            ::free(current);
        }
        EXPECT_EQ(::chdir(folder.c_str()), 0) << "cannot enter " << folder;
    }
    ~WorkingFolderScope() { (void)::chdir(m_previous.c_str()); }
    WorkingFolderScope(const WorkingFolderScope &) = delete;
    WorkingFolderScope &operator=(const WorkingFolderScope &) = delete;

private:
    std::string m_previous;
};
