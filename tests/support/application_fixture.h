#pragma once

#include "tests/support/qt_application.h"
#include "tests/support/test_folder.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tapplication.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// Failure messages show Qt strings as text.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

struct ShownErrorBox {
    QString caption, message;
};

// A fresh application object per test, on the one Qt application the test
// program may have, with error boxes recorded instead of opened.
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
    QApplication *m_qt = &testApplication(); // before the application object, which adopts it
    std::vector<ShownErrorBox> m_boxes;
    ErrorBoxOverride m_errorBoxes{
        [this](const QString &caption, const QString &message) { m_boxes.push_back({caption, message}); }};
    std::unique_ptr<TApplication> m_application = std::make_unique<TApplication>(s_argumentCount, s_arguments);
};

// Records every shell request instead of carrying it out, while it lives.
struct ShellRequestRecorder {
    std::vector<ShellRequest> requests;
    ShellHandlerOverride handler{[this](const ShellRequest &request) { requests.push_back(request); }};
};
