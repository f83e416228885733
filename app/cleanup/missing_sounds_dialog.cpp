#include "app/cleanup/missing_sounds_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <filesystem>

#include "cleanup/near_misses.h"
#include "scan/scan_run.h"
#include "toolkit/forms/shell_execute.h"

MissingSoundsDialog::MissingSoundsDialog(const ScanRequest &scan, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Missing sounds"));
    const ScanDetails details = runScanDetailed(scan);
    const NearMisses nearMisses = findNearMisses(details);

    m_model = new QStandardItemModel(0, 4, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Scheme file"), QStringLiteral("Line"),
                                        QStringLiteral("Near miss")});
    for (std::size_t m = 0; m < details.missing.size(); ++m) {
        const MissingAudio &missing = details.missing[m];
        const auto relative = [&](const std::string &path, const std::string &folder) {
            return QString::fromStdString(std::filesystem::path(path).lexically_relative(folder).generic_string());
        };
        auto *line = new QStandardItem(QString::number(missing.lineNumber));
        line->setData(static_cast<qulonglong>(missing.lineNumber), Qt::DisplayRole);
        m_model->appendRow({new QStandardItem(QString::fromStdString(missing.name)),
                            new QStandardItem(relative(missing.schemeFile, details.schemesFolder)), line,
                            new QStandardItem(nearMisses.missing[m]
                                                  ? relative(*nearMisses.missing[m], details.audioFolder)
                                                  : QString())});
        m_schemeFiles.push_back(missing.schemeFile);
    }

    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->verticalHeader()->hide();
    m_view->setWordWrap(false);
    m_view->resizeColumnsToContents();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setCurrentIndex(m_model->index(0, 0));
    auto *intro = new QLabel(QStringLiteral("%1 referenced &names have no audio file:").arg(details.missing.size()),
                             this);
    intro->setBuddy(m_view);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *open = buttons->addButton(QStringLiteral("&Open scheme"), QDialogButtonBox::ActionRole);
    open->setEnabled(!m_schemeFiles.empty());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_view, 1);
    layout->addWidget(buttons);
    resize(720, 420);

    connect(open, &QPushButton::clicked, this, [this] { openCurrentScheme(); });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this] { openCurrentScheme(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void MissingSoundsDialog::openCurrentScheme()
{
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid())
        ShellExecuteA(this, "open", m_schemeFiles.at(static_cast<std::size_t>(current.row())).c_str(), nullptr,
                      nullptr, SW_SHOW);
}
