#include "toolkit/forms/topendialog.h"

#include "toolkit/forms/qt_dialog_state.h"
#include "toolkit/forms/qt_native.h"
#include "toolkit/forms/tform.h"

#include <QDir>
#include <QFileDialog>
#include <QMainWindow>

namespace {

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

QString caselessGlob(const QString &pattern)
{
    QString glob;
    for (const QChar c : pattern) {
        if (c.toLower() != c.toUpper())
            glob += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            glob += c;
    }
    return glob;
}

// The filter in Qt's form, "description (glob glob)", one entry per pair,
// each glob spelled so that it matches without regard to letter case
// ("*.sch" becomes "*.[sS][cC][hH]").
QStringList qtNameFilters(const std::string &filter)
{
    QStringList filters;
    const std::vector<std::string> parts = split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        QStringList globs;
        for (const std::string &pattern : split(parts[i + 1], ';')) {
            if (!pattern.empty())
                globs.append(caselessGlob(qtText(pattern)));
        }
        filters.append(qtText(parts[i]) + QStringLiteral(" (") + globs.join(QLatin1Char(' '))
                       + QLatin1Char(')'));
    }
    return filters;
}

} // namespace

std::optional<std::string> TOpenDialog::showSystemDialog() const
{
    keepDialogStateOutOfFiles();
    // Without a folder Qt would open where its last dialog was; the program
    // opens at the working folder.
    const QString folder = m_initialDir.empty() ? QDir::currentPath() : qtText(m_initialDir);
    // Qt's own dialog rather than the desktop's: its name filters follow
    // the caseless globs above, where some desktop dialogs compare case.
    QFileDialog dialog(m_owner ? qtWindow(*m_owner) : nullptr, qtText(m_title), folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(qtNameFilters(m_filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}
