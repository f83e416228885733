#include "app/cleanup/move_unused_dialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/cleanup/unused_sounds_model.h"
#include "cleanup/move_unused.h"
#include "toolkit/filesystem/file_operations.h"
#include "toolkit/forms/shell_execute.h"

QString defaultQuarantineFolder(const std::string &audioFolder, const QDateTime &now)
{
    const QFileInfo audio(QString::fromStdString(audioFolder));
    return audio.dir().filePath(audio.fileName() + QStringLiteral("-unused-")
                                + now.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

MoveUnusedDialog::MoveUnusedDialog(const ScanRequest &scan, QWidget *parent)
    : QDialog(parent)
    , m_scan(scan)
    , m_details(runScanDetailed(scan))
{
    setWindowTitle(QStringLiteral("Move unused sounds"));
    m_model = new UnusedSoundsModel(m_details, this);

    auto *intro = new QLabel(QStringLiteral("Unreferenced &files of the last scan (Space ticks, "
                                            "double-click or Play listens):"), this);
    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->verticalHeader()->hide();
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideMiddle);
    m_view->horizontalHeader()->setSectionResizeMode(UnusedSoundsModel::PathColumn, QHeaderView::Stretch);
    m_view->setCurrentIndex(m_model->index(0, 0));
    intro->setBuddy(m_view);

    m_total = new QLabel(this);
    m_folder = new QLineEdit(defaultQuarantineFolder(m_details.audioFolder, QDateTime::currentDateTime()), this);
    auto *folderLabel = new QLabel(QStringLiteral("&Quarantine folder:"), this);
    folderLabel->setBuddy(m_folder);
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setAccessibleName(QStringLiteral("Choose the quarantine folder"));
    browse->setAutoDefault(false);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);

    m_buttons = new QDialogButtonBox(this);
    QPushButton *move = m_buttons->addButton(QStringLiteral("&Move"), QDialogButtonBox::AcceptRole);
    QPushButton *play = m_buttons->addButton(QStringLiteral("&Play"), QDialogButtonBox::ActionRole);
    m_buttons->addButton(QDialogButtonBox::Cancel);
    play->setAutoDefault(false);
    move->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_total);
    layout->addLayout(folderRow);
    layout->addWidget(m_buttons);
    resize(640, 480);

    connect(browse, &QPushButton::clicked, this, [this] { chooseFolder(); });
    connect(play, &QPushButton::clicked, this, [this] { playCurrent(); });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        m_view->setCurrentIndex(index);
        playCurrent();
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { updateTotal(); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] { moveTicked(); });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateTotal();
}

MoveUnusedDialog::~MoveUnusedDialog() = default;

void MoveUnusedDialog::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Choose the quarantine folder"),
                                                             QFileInfo(m_folder->text()).path());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

void MoveUnusedDialog::playCurrent()
{
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid())
        ShellExecuteA(this, "open", m_model->pathAt(current.row()).c_str(), nullptr, nullptr, SW_SHOW);
}

void MoveUnusedDialog::updateTotal()
{
    m_total->setText(QStringLiteral("Ticked: %1 of %2 files, %3")
                         .arg(m_model->tickedPaths().size())
                         .arg(m_model->rowCount())
                         .arg(byteCountText(m_model->tickedBytes())));
}

void MoveUnusedDialog::moveTicked()
{
    MoveRequest request;
    request.scan = m_scan;
    request.quarantineFolder = QDir::cleanPath(QDir(QString::fromStdString(m_scan.baseFolder))
                                                   .absoluteFilePath(m_folder->text()))
                                   .toStdString();
    request.files = m_model->tickedPaths();
    request.programVersion = QApplication::applicationVersion().toStdString();
    if (request.files.empty()) {
        QMessageBox::information(this, windowTitle(), QStringLiteral("No file is ticked."));
        return;
    }

    // Shown only when the move takes more than a moment.
    QProgressDialog progress(QStringLiteral("Moving unused sounds..."), QString(), 0,
                             static_cast<int>(request.files.size()), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    m_outcome = moveUnusedSounds(request, FileSystem::native(), FileOperations::native(),
                                 [&](const FileReport &, std::size_t done, std::size_t) {
                                     progress.setValue(static_cast<int>(done));
                                 });
    progress.reset();

    const CleanupOutcome &outcome = *m_outcome;
    QString text = QStringLiteral("Moved %1 files (%2), skipped %3, failed %4.")
                       .arg(outcome.count(FileResult::Moved))
                       .arg(byteCountText(outcome.bytes(FileResult::Moved)))
                       .arg(outcome.count(FileResult::Skipped))
                       .arg(outcome.count(FileResult::Failed));
    if (!outcome.manifestPath.empty())
        text += QStringLiteral("\n\nManifest: %1").arg(QString::fromStdString(outcome.manifestPath));
    if (!outcome.error.empty())
        text += QStringLiteral("\n\n%1").arg(QString::fromStdString(outcome.error));
    QString details;
    for (const FileReport &file : outcome.files)
        if (!file.message.empty())
            details += QStringLiteral("%1 %2: %3\n").arg(QString::fromLatin1(resultName(file.result)),
                                                        QString::fromStdString(file.path),
                                                        QString::fromStdString(file.message));
    QMessageBox box(outcome.complete() ? QMessageBox::Information : QMessageBox::Warning, windowTitle(), text,
                    QMessageBox::Ok, this);
    box.setDefaultButton(QMessageBox::Ok);
    box.setDetailedText(details);
    box.exec();
    // Refused before any file was touched: let the user choose another folder.
    if (!outcome.files.empty())
        accept();
}
