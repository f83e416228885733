#include "app/cleanup/restore_moved_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/cleanup/unused_sounds_model.h"
#include "cleanup/restore_moved.h"
#include "toolkit/filesystem/file_operations.h"

RestoreMovedDialog::RestoreMovedDialog(const QString &manifest, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Restore moved sounds"));
    m_manifest = new QLineEdit(manifest, this);
    auto *manifestLabel = new QLabel(QStringLiteral("&Manifest:"), this);
    manifestLabel->setBuddy(m_manifest);
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setAccessibleName(QStringLiteral("Choose the manifest"));
    browse->setAutoDefault(false);
    auto *manifestRow = new QHBoxLayout;
    manifestRow->addWidget(manifestLabel);
    manifestRow->addWidget(m_manifest, 1);
    manifestRow->addWidget(browse);

    m_results = new QStandardItemModel(0, 3, this);
    m_results->setHorizontalHeaderLabels({QStringLiteral("Result"), QStringLiteral("File"), QStringLiteral("Details")});
    auto *view = new QTableView(this);
    view->setModel(m_results);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideMiddle);
    view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    view->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    auto *resultsLabel = new QLabel(QStringLiteral("Re&sults:"), this);
    resultsLabel->setBuddy(view);
    m_summary = new QLabel(this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *restoreButton = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::ActionRole);
    restoreButton->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(manifestRow);
    layout->addWidget(resultsLabel);
    layout->addWidget(view, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(720, 400);

    connect(browse, &QPushButton::clicked, this, [this] { chooseManifest(); });
    connect(restoreButton, &QPushButton::clicked, this, [this] { restore(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void RestoreMovedDialog::chooseManifest()
{
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Choose a manifest of moved sounds"), QFileInfo(m_manifest->text()).path(),
        QStringLiteral("Manifests of moved sounds (*.json)"));
    if (!file.isEmpty())
        m_manifest->setText(file);
}

void RestoreMovedDialog::restore()
{
    m_results->removeRows(0, m_results->rowCount());
    if (m_manifest->text().isEmpty()) {
        m_summary->setText(QStringLiteral("Choose a manifest first."));
        return;
    }
    const CleanupOutcome outcome =
        restoreMovedSounds(QFileInfo(m_manifest->text()).absoluteFilePath().toStdString(), FileOperations::native());
    for (const FileReport &file : outcome.files) {
        const bool back = file.result == FileResult::Restored;
        m_results->appendRow({new QStandardItem(QString::fromLatin1(resultName(file.result))),
                              new QStandardItem(QString::fromStdString(file.destination)),
                              new QStandardItem(QString::fromStdString(back ? std::string() : file.message))});
    }
    QString summary = QStringLiteral("Restored %1 files (%2), %3 conflicts, %4 failed.")
                          .arg(outcome.count(FileResult::Restored))
                          .arg(byteCountText(outcome.bytes(FileResult::Restored)))
                          .arg(outcome.count(FileResult::Conflict))
                          .arg(outcome.count(FileResult::Failed));
    if (!outcome.error.empty())
        summary += QLatin1Char(' ') + QString::fromStdString(outcome.error);
    m_summary->setText(summary);
}
