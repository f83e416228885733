#include "toolkit/forms/tfolderdialog.h"

#include "toolkit/forms/qt_dialog_state.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/tform.h"

#include <QDir>
#include <QFileDialog>
#include <QMainWindow>

std::optional<std::string> TFolderDialog::showSystemDialog() const
{
    keepDialogStateOutOfFiles();
    const QString folder = m_initialDir.empty() ? QDir::currentPath() : qtText(m_initialDir);
    // Qt's own dialog, as for files, so both choosers look and behave alike.
    QFileDialog dialog(m_owner ? qtWindow(*m_owner) : nullptr, qtText(m_title), folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}
