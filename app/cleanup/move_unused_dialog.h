#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "cleanup/cleanup_report.h"
#include "scan/scan_run.h"

class QDateTime;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTableView;
class UnusedSoundsModel;

// "Move unused sounds": lists the unreferenced files of a scan with tick
// boxes, the total size of the ticked ones and the quarantine folder, and
// moves the ticked files there. Accepted once a move has run (whatever it
// managed); the outcome says what happened.
class MoveUnusedDialog : public QDialog {
public:
    MoveUnusedDialog(const ScanRequest &scan, QWidget *parent);
    ~MoveUnusedDialog() override;

    const std::optional<CleanupOutcome> &outcome() const { return m_outcome; }
    QLineEdit *quarantineFolderField() const { return m_folder; }
    QTableView *view() const { return m_view; }

private:
    void chooseFolder();
    void playCurrent();
    void updateTotal();
    void moveTicked();

    ScanRequest m_scan;
    ScanDetails m_details;
    UnusedSoundsModel *m_model;
    QTableView *m_view;
    QLabel *m_total;
    QLineEdit *m_folder;
    QDialogButtonBox *m_buttons;
    std::optional<CleanupOutcome> m_outcome;
};

// The quarantine folder offered first: beside the audio folder, named after
// it with "-unused-" and the date and time, e.g. "audio-unused-20261206-231500".
QString defaultQuarantineFolder(const std::string &audioFolder, const QDateTime &now);
