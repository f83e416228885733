#pragma once

#include "toolkit/core/exceptions.h"

#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QApplication;
class TForm;

// The application object: owns Qt's application and every form for the
// program's life, runs the event loop and shows errors. Exactly one exists at
// a time; the global `Application` points to it while it lives.
class TApplication {
public:
    // Shows an error box: caption and message. Tests replace it to record
    // the boxes instead of opening them.
    using ErrorBoxPresenter = std::function<void(const QString &caption, const QString &message)>;

    // Reuses a Qt application that already exists (test programs make one);
    // otherwise makes one that is given only the program's name: the command
    // line is not used, so not even Qt's own options (-style, -reverse, ...)
    // change the windows.
    TApplication(int &argc, char **argv);
    ~TApplication();
    TApplication(const TApplication &) = delete;
    TApplication &operator=(const TApplication &) = delete;

    // Prepares the application object; called once, before any form exists.
    void Initialize();

    QString Title() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }

    // Creates a form of the given class, built hidden from its layout, and
    // stores it in `reference`. The first form created is the main form.
    // When the form's constructor throws, nothing is stored and the
    // exception goes on to the caller.
    template <class TFormClass>
    void CreateForm(TFormClass *&reference)
    {
        auto form = std::make_unique<TFormClass>();
        TFormClass *created = form.get();
        adoptForm(std::move(form), [&reference] { reference = nullptr; });
        reference = created;
    }

    TForm *MainForm() const { return m_mainForm; }

    // Shows the main form and runs the event loop until the main form
    // closes. Returns at once when no form was created.
    void Run();

    // A modal error box with an OK button, captioned with the title and
    // showing the exception's message. The silent EAbort shows nothing.
    void ShowException(const Exception &exception);

    // Shows whatever was thrown the way the event loop does: an Exception by
    // its message, any other standard exception by its text, anything else
    // with an empty message. Works also when no application object exists.
    static void ShowCurrentException(std::exception_ptr error) noexcept;

private:
    void adoptForm(std::unique_ptr<TForm> form, std::function<void()> clearReference);

    struct OwnedForm {
        std::unique_ptr<TForm> form;
        std::function<void()> clearReference;
    };

    // Qt keeps references to its argument count and vector for the
    // application's life.
    int m_argumentCount = 1;
    char *m_arguments[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> m_ownApplication;
    std::vector<OwnedForm> m_forms;
    TForm *m_mainForm = nullptr;
    QString m_title;
};

// For as long as it lives, presenter shows the error boxes instead of the
// real box (an empty one: the real box again); overrides nest. Tests record
// the boxes here instead of opening them.
class ErrorBoxOverride {
public:
    explicit ErrorBoxOverride(TApplication::ErrorBoxPresenter presenter);
    ~ErrorBoxOverride();
    ErrorBoxOverride(const ErrorBoxOverride &) = delete;
    ErrorBoxOverride &operator=(const ErrorBoxOverride &) = delete;

private:
    TApplication::ErrorBoxPresenter m_previous;
};

extern TApplication *Application;
