#include "app/cleanup/unused_sounds_model.h"

#include <QLocale>

#include <filesystem>

#include "toolkit/filesystem/file_operations.h"

UnusedSoundsModel::UnusedSoundsModel(const ScanDetails &details, QObject *parent)
    : QAbstractTableModel(parent)
{
    const NearMisses nearMisses = findNearMisses(details);
    for (std::size_t u = 0; u < details.unreferenced.size(); ++u) {
        Row row;
        row.path = details.unreferenced[u].path;
        row.relativePath = QString::fromStdString(
            std::filesystem::path(row.path).lexically_relative(details.audioFolder).generic_string());
        FileStamp stamp;
        if (!FileOperations::native().stat(row.path, stamp))
            row.size = stamp.size;
        row.near = nearMisses.unreferenced[u];
        row.ticked = !row.near;
        m_rows.push_back(std::move(row));
    }
}

int UnusedSoundsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int UnusedSoundsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant UnusedSoundsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Row &row = m_rows.at(static_cast<std::size_t>(index.row()));
    switch (index.column()) {
    case PathColumn:
        if (role == Qt::DisplayRole)
            return row.relativePath;
        if (role == Qt::CheckStateRole)
            return row.ticked ? Qt::Checked : Qt::Unchecked;
        break;
    case SizeColumn:
        if (role == Qt::DisplayRole)
            return QLocale().toString(static_cast<qulonglong>(row.size));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case NoteColumn:
        if (role == Qt::DisplayRole && row.near)
            return QString("near miss");
        break;
    }
    if (role == Qt::ToolTipRole && row.near)
        return QString("A scheme names \"%1\" (%2, line %3); the game may load this file.")
            .arg(QString::fromStdString(row.near->name), QString::fromStdString(row.near->schemeFile))
            .arg(row.near->lineNumber);
    return {};
}

bool UnusedSoundsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != PathColumn || role != Qt::CheckStateRole)
        return false;
    m_rows.at(static_cast<std::size_t>(index.row())).ticked = value.value<Qt::CheckState>() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags UnusedSoundsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == PathColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant UnusedSoundsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case PathColumn:
        return QString("File");
    case SizeColumn:
        return QString("Bytes");
    case NoteColumn:
        return QString("Note");
    }
    return {};
}

std::vector<std::string> UnusedSoundsModel::tickedPaths() const
{
    std::vector<std::string> paths;
    for (const Row &row : m_rows)
        if (row.ticked)
            paths.push_back(row.path);
    return paths;
}

std::uintmax_t UnusedSoundsModel::tickedBytes() const
{
    std::uintmax_t total = 0;
    for (const Row &row : m_rows)
        if (row.ticked)
            total += row.size;
    return total;
}

QString byteCountText(std::uintmax_t bytes)
{
    return QString("%1 bytes").arg(QLocale().toString(static_cast<qulonglong>(bytes)));
}
