#include "toolkit/forms/tapplication.h"

#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/system_error_box.h"
#include "toolkit/forms/tform.h"

#include <QApplication>
#include <QMessageBox>

void showSystemErrorBox(const std::string &caption, const std::string &message)
{
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
    // Forms go before Qt's application.
    releaseForms();
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
