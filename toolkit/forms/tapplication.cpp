#include "toolkit/forms/tapplication.h"

#include "toolkit/forms/system_error_box.h"
#include "toolkit/forms/tform.h"

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

} // namespace

void presentErrorBox(const std::string &caption, const std::string &message)
{
    if (const auto &presenter = errorBoxPresenter()) {
        presenter(caption, message);
        return;
    }
    showSystemErrorBox(caption, message);
}

void TApplication::releaseForms() noexcept
{
    // The last form created goes first, all before the platform's own
    // application state.
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

void TApplication::adoptForm(std::unique_ptr<TForm> form, std::function<void()> clearReference)
{
    if (!m_mainForm)
        m_mainForm = form.get();
    m_forms.push_back(OwnedForm{std::move(form), std::move(clearReference)});
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
