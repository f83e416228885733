#pragma once

#include "tests/support/test_folder.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tapplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

struct ShownErrorBox {
    std::string caption, message;
};

// Readies the platform's windows for the test program, once: on Linux the
// one Qt application the program may have, on the offscreen platform.
void prepareTestWindows();

// A fresh application object per test, on the platform's windows readied
// for the test program, with error boxes recorded instead of opened.
class ApplicationFixtureState {
public:
    ApplicationFixtureState() = default;
    ApplicationFixtureState(const ApplicationFixtureState &) = delete;
    ApplicationFixtureState &operator=(const ApplicationFixtureState &) = delete;

    TApplication &application() { return *m_application; }
    const std::vector<ShownErrorBox> &errors() const { return m_boxes; }

private:
    static inline int s_argumentCount = 1;
    static inline char s_programName[] = "vorrel-tests";
    static inline char *s_arguments[] = {s_programName, nullptr};
    bool m_windowsReady = (prepareTestWindows(), true); // before the application object, which adopts them
    std::vector<ShownErrorBox> m_boxes;
    ErrorBoxOverride m_errorBoxes{
        [this](const std::string &caption, const std::string &message) { m_boxes.push_back({caption, message}); }};
    std::unique_ptr<TApplication> m_application = std::make_unique<TApplication>(s_argumentCount, s_arguments);
};

// Records every shell request instead of carrying it out, while it lives.
struct ShellRequestRecorder {
    std::vector<ShellRequest> requests;
    ShellHandlerOverride handler{[this](const ShellRequest &request) { requests.push_back(request); }};
};
