#include "app/cleanup/qt/unused_sounds_table.h"

#include <QApplication>
#include <QPalette>

UnusedSoundsTable::UnusedSoundsTable(UnusedSoundsList &list, QObject *parent)
    : QAbstractTableModel(parent)
    , m_list(list)
{
}

int UnusedSoundsTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_list.size());
}

int UnusedSoundsTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : UnusedSoundsList::ColumnCount;
}

QVariant UnusedSoundsTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<UnusedSoundsList::Column>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(m_list.cellText(row, column));
    case Qt::CheckStateRole:
        if (column == UnusedSoundsList::PathColumn)
            return m_list.row(row).ticked ? Qt::Checked : Qt::Unchecked;
        break;
    case Qt::TextAlignmentRole:
        if (column == UnusedSoundsList::SizeColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case Qt::ForegroundRole:
        // Kept rows stay selectable (for Unkeep) but read as out of play.
        if (m_list.row(row).kept)
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        break;
    case Qt::ToolTipRole:
        if (m_list.row(row).near)
            return QString::fromStdString(m_list.nearMissExplanation(row));
        break;
    }
    return {};
}

bool UnusedSoundsTable::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != UnusedSoundsList::PathColumn || role != Qt::CheckStateRole)
        return false;
    m_list.setTicked(static_cast<std::size_t>(index.row()), value.value<Qt::CheckState>() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags UnusedSoundsTable::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == UnusedSoundsList::PathColumn
        && !m_list.row(static_cast<std::size_t>(index.row())).kept)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant UnusedSoundsTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= UnusedSoundsList::ColumnCount)
        return {};
    return QString::fromLatin1(UnusedSoundsList::header(static_cast<UnusedSoundsList::Column>(section)));
}

void UnusedSoundsTable::setAllTicked(bool ticked)
{
    m_list.setAllTicked(ticked);
    ticksChanged();
}

void UnusedSoundsTable::toggle(const std::vector<std::size_t> &rows)
{
    m_list.toggle(rows);
    ticksChanged();
}

void UnusedSoundsTable::ticksChanged()
{
    if (m_list.size() > 0)
        emit dataChanged(index(0, UnusedSoundsList::PathColumn),
                         index(rowCount() - 1, UnusedSoundsList::PathColumn), {Qt::CheckStateRole});
}

void UnusedSoundsTable::keptChanged()
{
    if (m_list.size() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}
