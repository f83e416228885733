#pragma once

#include <QDialog>

#include "app/cleanup/restore_moved_window.h"

class QLineEdit;
class QPlainTextEdit;
class QStandardItemModel;

// The Qt view of "Restore moved sounds": the manifest, Restore, a row per
// file and the summary below them.
class RestoreMovedDialog : public QDialog {
public:
    RestoreMovedDialog(const QString &manifest, QWidget *parent);

    QLineEdit *manifestField() const { return m_manifest; }
    QStandardItemModel *results() const { return m_results; }
    QPlainTextEdit *summary() const { return m_summary; }
    // Whether any file came back while the window was open.
    bool restoredAny() const { return m_window.restoredAny(); }

private:
    void chooseManifest();
    void restore();

    RestoreMovedWindow m_window;
    QLineEdit *m_manifest;
    QStandardItemModel *m_results;
    QPlainTextEdit *m_summary;
};
