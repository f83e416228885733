#pragma once

#include "toolkit/forms/tapplication.h"

#include <QApplication>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

// Failure messages show Qt strings as text.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

struct ShownErrorBox {
    QString caption, message;
};

// A fresh application object per test, on the one Qt application the test
// program may have, with error boxes recorded instead of opened.
class ApplicationFixtureState {
public:
    ApplicationFixtureState()
    {
        // Qt allows one application per process: made for the first test,
        // removed by GoogleTest after the last.
        struct QtEnvironment : ::testing::Environment {
            void TearDown() override { application.reset(); }
            std::unique_ptr<QApplication> application;
        };
        static auto *environment = static_cast<QtEnvironment *>(::testing::AddGlobalTestEnvironment(new QtEnvironment));
        if (!environment->application)
            environment->application = std::make_unique<QApplication>(s_argumentCount, s_arguments);
        m_previous = TApplication::ReplaceErrorBoxPresenter(
            [boxes = m_boxes](const QString &caption, const QString &message) { boxes->push_back({caption, message}); });
        m_application = std::make_unique<TApplication>(s_argumentCount, s_arguments);
    }
    ~ApplicationFixtureState()
    {
        m_application.reset();
        TApplication::ReplaceErrorBoxPresenter(std::move(m_previous));
    }
    ApplicationFixtureState(const ApplicationFixtureState &) = delete;
    ApplicationFixtureState &operator=(const ApplicationFixtureState &) = delete;

    TApplication &application() { return *m_application; }
    const std::vector<ShownErrorBox> &errors() const { return *m_boxes; }

private:
    static inline int s_argumentCount = 1;
    static inline char s_programName[] = "vorrel-tests";
    static inline char *s_arguments[] = {s_programName, nullptr};
    std::shared_ptr<std::vector<ShownErrorBox>> m_boxes = std::make_shared<std::vector<ShownErrorBox>>();
    TApplication::ErrorBoxPresenter m_previous;
    std::unique_ptr<TApplication> m_application;
};

// A temporary folder tree for one test, named after the running test and
// removed, with everything in it, when the object goes.
class TestFolder {
public:
    TestFolder()
    {
        const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + '.' + test->name();
        for (char &c : name)
            c = c == '/' ? '_' : c;
        m_path = (std::filesystem::temp_directory_path() / ("vorrel-" + name + '-' + std::to_string(::getpid()))).string();
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TestFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TestFolder(const TestFolder &) = delete;
    TestFolder &operator=(const TestFolder &) = delete;

    // Absolute, without a trailing '/'.
    const std::string &path() const { return m_path; }
    std::string operator/(const std::string &name) const { return m_path + '/' + name; }

    void makeFolder(const std::string &name) const { std::filesystem::create_directories(*this / name); }
    // Writes byte for byte, making the folders on the way.
    void writeFile(const std::string &name, const std::string &content) const
    {
        std::filesystem::create_directories(std::filesystem::path(*this / name).parent_path());
        std::ofstream(*this / name, std::ios::binary) << content;
    }
    // The whole content, or "<missing>" when the file cannot be read.
    static std::string readFile(const std::string &path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        return file ? content.str() : "<missing>";
    }

private:
    std::string m_path;
};
