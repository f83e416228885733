#include "app/cleanup/qt/move_unused_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <ctime>

#include "app/cleanup/qt/dialog_parts.h"
#include "app/cleanup/qt/message_area.h"
#include "app/cleanup/qt/unused_sounds_table.h"
#include "toolkit/filesystem/file_operations.h"

namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    return *std::localtime(&now);
}

} // namespace

MoveUnusedDialog::MoveUnusedDialog(const ScanRequest &scan, QWidget *parent)
    : QDialog(parent)
    , m_window(scan, FileOperations::native(), localNow())
{
    setWindowTitle(QString::fromUtf8(MoveUnusedWindow::title));
    m_table = new UnusedSoundsTable(m_window.list(), this);

    auto *intro = new QLabel(QString::fromUtf8(MoveUnusedWindow::listLabel), this);
    intro->setWordWrap(true);
    m_view = new QTableView(this);
    m_view->setModel(m_table);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->verticalHeader()->hide();
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideMiddle);
    m_view->horizontalHeader()->setSectionResizeMode(UnusedSoundsList::PathColumn, QHeaderView::Stretch);
    for (const auto column : {UnusedSoundsList::NearMissColumn, UnusedSoundsList::KeptColumn})
        m_view->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_view->setCurrentIndex(m_table->index(0, 0));
    m_view->installEventFilter(this);
    intro->setBuddy(m_view);

    m_tickAll = new QCheckBox(QString::fromUtf8(MoveUnusedWindow::tickAllLabel), this);
    m_total = new QLabel(this);
    auto *totalRow = new QHBoxLayout;
    totalRow->addWidget(m_tickAll);
    totalRow->addWidget(m_total, 1);
    m_keepLine = new QLabel(this);
    m_keepLine->setTextFormat(Qt::PlainText);
    m_keepLine->setWordWrap(true);
    m_keepLine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_folder = new QLineEdit(QString::fromStdString(m_window.offeredFolder()), this);
    QHBoxLayout *folderRow = newPathRow(this, MoveUnusedWindow::folderLabel, m_folder,
                                        MoveUnusedWindow::chooseFolderTitle, [this] { chooseFolder(); });

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *move = buttons->addButton(QString::fromUtf8(MoveUnusedWindow::moveButton), QDialogButtonBox::AcceptRole);
    QPushButton *play = buttons->addButton(QString::fromUtf8(MoveUnusedWindow::playButton), QDialogButtonBox::ActionRole);
    QPushButton *keep = buttons->addButton(QString::fromUtf8(MoveUnusedWindow::keepButton), QDialogButtonBox::ActionRole);
    QPushButton *unkeep =
        buttons->addButton(QString::fromUtf8(MoveUnusedWindow::unkeepButton), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    for (QPushButton *action : {play, keep, unkeep})
        action->setAutoDefault(false);
    move->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_view, 1);
    layout->addLayout(totalRow);
    layout->addWidget(m_keepLine);
    layout->addLayout(folderRow);
    layout->addWidget(buttons);
    resize(720, 480);

    connect(play, &QPushButton::clicked, this, [this] { playCurrent(); });
    connect(keep, &QPushButton::clicked, this, [this] { editKeepList(true); });
    connect(unkeep, &QPushButton::clicked, this, [this] { editKeepList(false); });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        m_view->setCurrentIndex(index);
        playCurrent();
    });
    // The box shows the list's state; a click ticks all unless all are ticked.
    connect(m_tickAll, &QCheckBox::clicked, this, [this] {
        m_table->setAllTicked(m_window.list().tickState() != UnusedSoundsList::TickState::All);
        ticksChanged();
    });
    connect(m_table, &QAbstractItemModel::dataChanged, this, [this] { ticksChanged(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { moveTicked(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ticksChanged();
}

MoveUnusedDialog::~MoveUnusedDialog() = default;

bool MoveUnusedDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Space toggles every selected row together, not only the current one.
    if (watched == m_view && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        m_table->toggle(selectedRows());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<std::size_t> MoveUnusedDialog::selectedRows() const
{
    std::vector<std::size_t> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    if (rows.empty() && m_view->currentIndex().isValid())
        rows.push_back(static_cast<std::size_t>(m_view->currentIndex().row()));
    return rows;
}

void MoveUnusedDialog::editKeepList(bool keep)
{
    const std::optional<WindowMessage> message = keep ? m_window.keep(selectedRows(), localNow())
                                                      : m_window.unkeep(selectedRows());
    m_table->keptChanged();
    ticksChanged();
    if (message)
        showMessage(this, MoveUnusedWindow::title, *message);
}

void MoveUnusedDialog::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QString::fromUtf8(MoveUnusedWindow::chooseFolderTitle), QFileInfo(m_folder->text()).path());
    if (!folder.isEmpty())
        m_folder->setText(folder);
}

void MoveUnusedDialog::playCurrent()
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return;
    if (const auto message = m_window.play(static_cast<std::size_t>(current.row()), desktopOpener()))
        showMessage(this, MoveUnusedWindow::title, *message);
}

void MoveUnusedDialog::ticksChanged()
{
    const UnusedSoundsList::TickState state = m_window.list().tickState();
    m_tickAll->setCheckState(state == UnusedSoundsList::TickState::All    ? Qt::Checked
                             : state == UnusedSoundsList::TickState::None ? Qt::Unchecked
                                                                          : Qt::PartiallyChecked);
    m_total->setText(QString::fromStdString(m_window.list().totalText()));
    m_keepLine->setText(QString::fromStdString(m_window.keepListLine()));
}

void MoveUnusedDialog::moveTicked()
{
    const auto plan = m_window.planMove(m_folder->text().toStdString(), QApplication::applicationVersion().toStdString());
    // Reading the keep list again may have marked rows kept.
    m_table->keptChanged();
    ticksChanged();
    if (const auto *refusal = std::get_if<WindowMessage>(&plan)) {
        showMessage(this, MoveUnusedWindow::title, *refusal);
        return;
    }
    const MoveRequest &request = std::get<MoveRequest>(plan);

    // Shown only when the move takes more than a moment.
    QProgressDialog progress(QString::fromUtf8(MoveUnusedWindow::progressLabel), QString(), 0,
                             static_cast<int>(request.files.size()), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    m_outcome = m_window.runMove(request, [&](const FileReport &, std::size_t done, std::size_t) {
        progress.setValue(static_cast<int>(done));
    });
    progress.reset();

    const MoveUnusedWindow::Verdict verdict = MoveUnusedWindow::finishMove(request, *m_outcome);
    showMessage(this, MoveUnusedWindow::title, verdict.message);
    if (verdict.closeWindow)
        accept();
}
