#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;

// "Restore moved sounds": choose a manifest, restore the files it lists, and
// see each file that came back and each conflict.
class RestoreMovedDialog : public QDialog {
public:
    RestoreMovedDialog(const QString &manifest, QWidget *parent);

    QLineEdit *manifestField() const { return m_manifest; }
    QStandardItemModel *results() const { return m_results; }

private:
    void chooseManifest();
    void restore();

    QLineEdit *m_manifest;
    QStandardItemModel *m_results;
    QLabel *m_summary;
};
