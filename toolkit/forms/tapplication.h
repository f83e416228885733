#pragma once

#include "toolkit/core/exceptions.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm;

// The platform's own application state (Qt's application object, or the
// Windows message loop's); each backend defines it.
struct NativeApplication;

// The application object: owns every form for the program's life, runs the
// event loop and shows errors. Exactly one exists at a time; the global
// `Application` points to it while it lives.
class TApplication {
public:
    // Shows an error box: caption and message. Tests replace it to record
    // the boxes instead of opening them.
    using ErrorBoxPresenter = std::function<void(const std::string &caption, const std::string &message)>;

    // The command line is not used: not even a platform's own options
    // (Qt's -style, -reverse, ...) change the windows. On Linux a Qt
    // application that already exists (test programs make one) is reused.
    TApplication(int &argc, char **argv);
    ~TApplication();
    TApplication(const TApplication &) = delete;
    TApplication &operator=(const TApplication &) = delete;

    // Prepares the application object; called once, before any form exists.
    void Initialize();

    const std::string &Title() const { return m_title; }
    void SetTitle(const std::string &title) { m_title = title; }

    // The program's name and version as the desktop shows them (Linux: the
    // desktop entry's name; Windows keeps both in the program's resources).
    void SetProgramIdentity(const std::string &name, const std::string &version);

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

    // Handles the events waiting, then returns (tests; a long operation
    // that must let a window paint).
    void ProcessMessages();

    // A modal error box with an OK button, captioned with the title and
    // showing the exception's message. The silent EAbort shows nothing.
    void ShowException(const Exception &exception);

    // Shows whatever was thrown the way the event loop does: an Exception by
    // its message, any other standard exception by its text, anything else
    // with an empty message. Works also when no application object exists.
    static void ShowCurrentException(std::exception_ptr error) noexcept;

    NativeApplication &native() const { return *m_native; }

private:
    // Deletes the forms, the last one created first; the backends'
    // destructor calls it before their own state goes.
    void releaseForms() noexcept;
    void adoptForm(std::unique_ptr<TForm> form, std::function<void()> clearReference);

    struct OwnedForm {
        std::unique_ptr<TForm> form;
        std::function<void()> clearReference;
    };

    std::unique_ptr<NativeApplication> m_native;
    std::vector<OwnedForm> m_forms;
    TForm *m_mainForm = nullptr;
    std::string m_title;
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

// Shows an error box the way ShowException does (or through the override).
void presentErrorBox(const std::string &caption, const std::string &message);

extern TApplication *Application;
