#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

#include "app/cleanup/move_unused_window.h"
#include "cleanup/cleanup_report.h"
#include "scan/scan_run.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;
class UnusedSoundsTable;

// The Qt view of "Move unused sounds": the list with its tick boxes and a
// tick-all box, the total of the ticked files, the keep list that applies,
// the quarantine folder, and Move, Play, Keep, Unkeep and Cancel. Accepted once files were moved; the outcome says
// what happened.
class MoveUnusedDialog : public QDialog {
public:
    MoveUnusedDialog(const ScanRequest &scan, QWidget *parent);
    ~MoveUnusedDialog() override;

    const std::optional<CleanupOutcome> &outcome() const { return m_outcome; }
    QLineEdit *quarantineFolderField() const { return m_folder; }
    QTableView *view() const { return m_view; }
    QCheckBox *tickAllBox() const { return m_tickAll; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chooseFolder();
    void playCurrent();
    void ticksChanged();
    void moveTicked();
    void editKeepList(bool keep);
    std::vector<std::size_t> selectedRows() const;

    MoveUnusedWindow m_window;
    UnusedSoundsTable *m_table;
    QTableView *m_view;
    QCheckBox *m_tickAll;
    QLabel *m_total;
    QLabel *m_keepLine;
    QLineEdit *m_folder;
    std::optional<CleanupOutcome> m_outcome;
};
