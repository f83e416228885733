#include "toolkit/forms/tapplication.h"

#include "toolkit/filesystem/system_path_win32.h"
#include "toolkit/forms/control_window_win32.h"
#include "toolkit/forms/tform.h"

#include <commctrl.h>

#include <utility>

TApplication *Application = nullptr;

namespace {

TApplication::ErrorBoxPresenter &errorBoxPresenter()
{
    static TApplication::ErrorBoxPresenter presenter;
    return presenter;
}

std::string currentTitle()
{
    return Application ? Application->Title() : std::string();
}

// The dialog manager moves the focus with Tab and the arrow keys inside
// each of our forms; everything else is translated and dispatched.
void dispatch(MSG &message)
{
    HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && dynamic_cast<TForm *>(controlOfWindow(root)) && ::IsDialogMessageW(root, &message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

} // namespace

void presentErrorBox(const std::string &caption, const std::string &message)
{
    if (const auto &presenter = errorBoxPresenter()) {
        presenter(caption, message);
        return;
    }
    ::MessageBoxW(::GetActiveWindow(), toSystemText(message).c_str(), toSystemText(caption).c_str(),
                  MB_ICONERROR | MB_OK);
}

TApplication::TApplication(int &, char **)
    : m_native(std::make_unique<NativeApplication>())
{
    Application = this;
}

TApplication::~TApplication()
{
    // The last form created goes first.
    while (!m_forms.empty()) {
        OwnedForm owned = std::move(m_forms.back());
        m_forms.pop_back();
        owned.clearReference();
        owned.form.reset();
    }
    m_mainForm = nullptr;
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

void TApplication::SetProgramIdentity(const std::string &, const std::string &)
{
    // The program file's version record and icon resource say both.
}

void TApplication::adoptForm(std::unique_ptr<TForm> form, std::function<void()> clearReference)
{
    if (!m_mainForm)
        m_mainForm = form.get();
    m_forms.push_back(OwnedForm{std::move(form), std::move(clearReference)});
}

void TApplication::Run()
{
    if (!m_mainForm)
        return;
    m_mainForm->SetVisible(true);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the event loop, which ends on it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void TApplication::ShowException(const Exception &exception)
{
    if (dynamic_cast<const EAbort *>(&exception))
        return;
    presentErrorBox(m_title, exception.Message());
}

void TApplication::ShowCurrentException(std::exception_ptr error) noexcept
{
    try {
        try {
            std::rethrow_exception(error);
        } catch (const EAbort &) {
            // Silent by design: a cancelled operation is not an error.
        } catch (const std::exception &exception) {
            presentErrorBox(currentTitle(), exception.what());
        } catch (...) {
            presentErrorBox(currentTitle(), std::string());
        }
    } catch (...) {
        // The box itself failed (out of memory); nothing more can be shown.
    }
}

ErrorBoxOverride::ErrorBoxOverride(TApplication::ErrorBoxPresenter presenter)
    : m_previous(std::exchange(errorBoxPresenter(), std::move(presenter)))
{
}

ErrorBoxOverride::~ErrorBoxOverride()
{
    errorBoxPresenter() = std::move(m_previous);
}
