#include "toolkit/forms/qt_dialog_state.h"

#include <QSettings>

void keepDialogStateOutOfFiles()
{
    static const bool once = [] {
        const QString nowhere = QStringLiteral("/dev/null/vorrel-keeps-no-qt-settings");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
        return true;
    }();
    (void)once;
}
