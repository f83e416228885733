#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "scan/scan_run.h"

class QStandardItemModel;
class QTableView;

// "Missing sounds": each referenced name for which the scan found no audio
// file, with the scheme file (relative to the schemes folder), the line and
// the near miss if there is one. Opening a row opens its scheme file through
// the desktop.
class MissingSoundsDialog : public QDialog {
public:
    MissingSoundsDialog(const ScanRequest &scan, QWidget *parent);

    QStandardItemModel *model() const { return m_model; }
    QTableView *view() const { return m_view; }

private:
    void openCurrentScheme();

    QStandardItemModel *m_model;
    QTableView *m_view;
    std::vector<std::string> m_schemeFiles;  // per row
};
