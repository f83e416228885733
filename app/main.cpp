// The desktop program: Vorrel's main window. Command-line arguments are
// not used.
#include "app/startup.h"
#include "toolkit/forms/tapplication.h"

#include <QApplication>

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorrel"));
    QApplication::setApplicationVersion(QStringLiteral(VORREL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("vorrel"));
    return startVorrel();
}
