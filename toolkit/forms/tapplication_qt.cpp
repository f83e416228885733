#include "toolkit/forms/tapplication.h"

#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/tform.h"

#include <QApplication>
#include <QMessageBox>
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
    QMessageBox box(QMessageBox::Critical, qtText(caption), qtText(message), QMessageBox::Ok);
    box.exec();
}

TApplication::TApplication(int &argc, char **argv)
    : m_native(std::make_unique<NativeApplication>())
{
    if (!QApplication::instance()) {
        static char unnamed[] = "vorrel";
        m_native->arguments[0] = argc > 0 && argv[0] != nullptr ? argv[0] : unnamed;
        m_native->ownApplication = std::make_unique<QApplication>(m_native->argumentCount, m_native->arguments);
    }
    Application = this;
}

TApplication::~TApplication()
{
    // Forms go before Qt's application, the last one created first.
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
    // The main form decides when the program ends, not the last visible
    // window: the About window may still be open when the main one closes.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TApplication::SetProgramIdentity(const std::string &name, const std::string &version)
{
    QApplication::setApplicationName(qtText(name));
    QApplication::setApplicationVersion(qtText(version));
    QApplication::setDesktopFileName(qtText(name));
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
    QApplication::exec();
}

void TApplication::ProcessMessages()
{
    QApplication::processEvents();
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
