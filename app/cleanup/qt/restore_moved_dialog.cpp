#include "app/cleanup/qt/restore_moved_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/cleanup/qt/dialog_parts.h"
#include "app/cleanup/qt/message_area.h"
#include "cleanup/restore_moved.h"
#include "toolkit/filesystem/file_operations.h"

RestoreMovedDialog::RestoreMovedDialog(const QString &manifest, QWidget *parent)
    : QDialog(parent)
    , m_window(manifest.toStdString())
{
    setWindowTitle(QString::fromUtf8(RestoreMovedWindow::title));
    m_manifest = new QLineEdit(QString::fromStdString(m_window.offeredManifest()), this);
    QHBoxLayout *manifestRow = newPathRow(this, RestoreMovedWindow::manifestLabel, m_manifest,
                                          RestoreMovedWindow::chooseManifestTitle, [this] { chooseManifest(); });

    m_results = new QStandardItemModel(0, static_cast<int>(RestoreMovedWindow::headers.size()), this);
    for (std::size_t column = 0; column < RestoreMovedWindow::headers.size(); ++column)
        m_results->setHorizontalHeaderItem(static_cast<int>(column),
                                           new QStandardItem(QString::fromUtf8(RestoreMovedWindow::headers[column])));
    auto *view = new QTableView(this);
    view->setModel(m_results);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideMiddle);
    view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    view->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    auto *resultsLabel = new QLabel(QString::fromUtf8(RestoreMovedWindow::resultsLabel), this);
    resultsLabel->setBuddy(view);
    m_summary = newMessageArea(this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *restoreButton =
        buttons->addButton(QString::fromUtf8(RestoreMovedWindow::restoreButton), QDialogButtonBox::ActionRole);
    restoreButton->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(manifestRow);
    layout->addWidget(resultsLabel);
    layout->addWidget(view, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    const QSize screen = (parent ? parent->screen() : QDialog::screen())->availableGeometry().size();
    resize(QSize(720, 400).boundedTo(screen));
    setMaximumSize(screen);

    connect(restoreButton, &QPushButton::clicked, this, [this] { restore(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void RestoreMovedDialog::chooseManifest()
{
    const QString file = QFileDialog::getOpenFileName(this, QString::fromUtf8(RestoreMovedWindow::chooseManifestTitle),
                                                      QFileInfo(m_manifest->text()).path(),
                                                      QString::fromUtf8(RestoreMovedWindow::manifestFilter));
    if (!file.isEmpty())
        m_manifest->setText(file);
}

void RestoreMovedDialog::restore()
{
    const auto plan = m_window.planRestore(m_manifest->text().toStdString(), {});
    if (const auto *refusal = std::get_if<WindowMessage>(&plan)) {
        m_results->removeRows(0, m_results->rowCount());
        setMessageText(m_summary, refusal->text);
        return;
    }
    // Shown only when the restore takes more than a moment.
    QProgressDialog progress(QString::fromUtf8(RestoreMovedWindow::progressLabel), QString(), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const CleanupOutcome outcome = restoreMovedSounds(std::get<std::string>(plan), FileOperations::native(),
                                                      [&](const FileReport &, std::size_t done, std::size_t total) {
                                                          progress.setMaximum(static_cast<int>(total));
                                                          progress.setValue(static_cast<int>(done));
                                                      });
    progress.reset();

    m_window.finishRestore(outcome);
    m_results->removeRows(0, m_results->rowCount());
    for (const auto &row : m_window.rows()) {
        QList<QStandardItem *> items;
        for (const std::string &cell : row)
            items.append(new QStandardItem(QString::fromStdString(cell)));
        m_results->appendRow(items);
    }
    setMessageText(m_summary, m_window.summary());
}
