#include "app/cleanup/cleanup_windows.h"

#include "app/cleanup/qt/missing_sounds_dialog.h"
#include "app/cleanup/qt/move_unused_dialog.h"
#include "app/cleanup/qt/restore_moved_dialog.h"
#include "toolkit/forms/qt_native.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMainWindow>

namespace {

// Puts `line` above everything else in a clean-up window and runs it.
int runWithFirstLine(QDialog &dialog, const std::string &line)
{
    if (auto *layout = qobject_cast<QBoxLayout *>(dialog.layout())) {
        auto *label = new QLabel(qtText(line), &dialog);
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->insertWidget(0, label);
    }
    return dialog.exec();
}

} // namespace

std::optional<CleanupOutcome> showMoveUnusedWindow(TForm &owner, const ScanRequest &scan, const std::string &firstLine)
{
    MoveUnusedDialog dialog(scan, qtWindow(owner));
    if (runWithFirstLine(dialog, firstLine) != QDialog::Accepted)
        return std::nullopt;
    return dialog.outcome();
}

bool showRestoreMovedWindow(TForm &owner, const std::string &manifest, const std::string &firstLine)
{
    RestoreMovedDialog dialog(qtText(manifest), qtWindow(owner));
    runWithFirstLine(dialog, firstLine);
    return dialog.restoredAny();
}

void showMissingSoundsWindow(TForm &owner, const ScanRequest &scan, const std::string &firstLine)
{
    MissingSoundsDialog dialog(scan, qtWindow(owner));
    runWithFirstLine(dialog, firstLine);
}
