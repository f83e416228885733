#include "app/cleanup/qt/missing_sounds_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/cleanup/qt/dialog_parts.h"
#include "app/cleanup/qt/message_area.h"

MissingSoundsDialog::MissingSoundsDialog(const ScanRequest &scan, QWidget *parent)
    : QDialog(parent)
    , m_window(scan, runScanDetailed(scan))
{
    setWindowTitle(QString::fromUtf8(MissingSoundsWindow::title));

    m_model = new QStandardItemModel(0, static_cast<int>(MissingSoundsWindow::headers.size()), this);
    for (std::size_t column = 0; column < MissingSoundsWindow::headers.size(); ++column)
        m_model->setHorizontalHeaderItem(static_cast<int>(column),
                                         new QStandardItem(QString::fromUtf8(MissingSoundsWindow::headers[column])));
    for (std::size_t row = 0; row < m_window.size(); ++row) {
        QList<QStandardItem *> items;
        for (const std::string &cell : m_window.row(row))
            items.append(new QStandardItem(QString::fromStdString(cell)));
        // Sorted as a number, not as text.
        items[MissingSoundsWindow::LineColumn]->setData(static_cast<qulonglong>(m_window.lineNumber(row)),
                                                        Qt::DisplayRole);
        m_model->appendRow(items);
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
    if (m_window.scanFailed()) {
        auto *message = newMessageArea(this);
        setMessageText(message, m_window.intro());
        m_intro = message;
    } else {
        auto *label = new QLabel(QString::fromStdString(m_window.intro()), this);
        label->setBuddy(m_view);
        m_intro = label;
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *open = buttons->addButton(QString::fromUtf8(MissingSoundsWindow::openButton),
                                           QDialogButtonBox::ActionRole);
    open->setEnabled(m_window.size() > 0);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
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
    if (!current.isValid())
        return;
    if (const auto message = m_window.openScheme(static_cast<std::size_t>(current.row()), desktopOpener()))
        showMessage(this, MissingSoundsWindow::title, *message);
}
