#pragma once

#include "toolkit/forms/tapplication.h"

#include <QString>

#include <ostream>

#include <memory>
#include <string>
#include <vector>

// Failure messages show Qt strings as text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// One Qt application for the whole test program, made before the first test
// and removed after the last: Qt allows one per process.
class QApplication;
QApplication &testQApplication();

// An error box that was shown: caption and message.
struct ShownErrorBox {
    QString caption;
    QString message;
};

// Records error boxes instead of opening them, for as long as it lives.
class ErrorBoxRecorder {
public:
    ErrorBoxRecorder();
    ~ErrorBoxRecorder();
    ErrorBoxRecorder(const ErrorBoxRecorder &) = delete;
    ErrorBoxRecorder &operator=(const ErrorBoxRecorder &) = delete;

    const std::vector<ShownErrorBox> &boxes() const { return *m_boxes; }

private:
    std::shared_ptr<std::vector<ShownErrorBox>> m_boxes;
    TApplication::ErrorBoxPresenter m_previous;
};

// A fresh application object per test, on the shared Qt application, with
// error boxes recorded.
class ApplicationFixtureState {
public:
    ApplicationFixtureState();
    TApplication &application() { return *m_application; }
    const ErrorBoxRecorder &errors() const { return m_errors; }

private:
    ErrorBoxRecorder m_errors;
    std::unique_ptr<TApplication> m_application;
};

// The top-level widgets that are visible now.
int visibleTopLevelWindows();
