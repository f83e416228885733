#pragma once

#include <QDialog>

#include "app/cleanup/missing_sounds_window.h"
#include "scan/scan_run.h"

class QLabel;
class QStandardItemModel;
class QTableView;

// The Qt view of "Missing sounds": the list of referenced names without an
// audio file, or why the scan gave none, and Open scheme.
class MissingSoundsDialog : public QDialog {
public:
    MissingSoundsDialog(const ScanRequest &scan, QWidget *parent);

    // The text above the list: a label, or a message area when the scan failed.
    QWidget *intro() const { return m_intro; }
    QStandardItemModel *model() const { return m_model; }
    QTableView *view() const { return m_view; }

private:
    void openCurrentScheme();

    MissingSoundsWindow m_window;
    QWidget *m_intro;
    QStandardItemModel *m_model;
    QTableView *m_view;
};
