#pragma once

#include "toolkit/forms/tapplication.h"

#include <QString>

#include <memory>
#include <ostream>
#include <vector>

// Failure messages show Qt strings as text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

struct ShownErrorBox {
    QString caption;
    QString message;
};

// A fresh application object per test, on the one Qt application the test
// program may have, with error boxes recorded instead of opened.
class ApplicationFixtureState {
public:
    ApplicationFixtureState();
    ~ApplicationFixtureState();
    ApplicationFixtureState(const ApplicationFixtureState &) = delete;
    ApplicationFixtureState &operator=(const ApplicationFixtureState &) = delete;

    TApplication &application() { return *m_application; }
    const std::vector<ShownErrorBox> &errors() const { return *m_boxes; }

private:
    std::shared_ptr<std::vector<ShownErrorBox>> m_boxes = std::make_shared<std::vector<ShownErrorBox>>();
    TApplication::ErrorBoxPresenter m_previous;
    std::unique_ptr<TApplication> m_application;
};
