#pragma once

#include <QAbstractTableModel>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cleanup/near_misses.h"
#include "scan/scan_run.h"

// The unreferenced files of a scan as a table: a tick box and the path
// relative to the audio folder, the size, and a note for near misses (with
// the near reference in its tooltip). Near misses start unticked, every
// other file ticked.
class UnusedSoundsModel : public QAbstractTableModel {
public:
    enum Column { PathColumn, SizeColumn, NoteColumn, ColumnCount };

    UnusedSoundsModel(const ScanDetails &details, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The absolute path of the file in `row`.
    const std::string &pathAt(int row) const { return m_rows.at(static_cast<std::size_t>(row)).path; }
    std::vector<std::string> tickedPaths() const;
    std::uintmax_t tickedBytes() const;

private:
    struct Row {
        std::string path;
        QString relativePath;
        std::uintmax_t size = 0;
        std::optional<NearReference> near;
        bool ticked = true;
    };
    std::vector<Row> m_rows;
};

// "1,234,567 bytes" style text for a byte count.
QString byteCountText(std::uintmax_t bytes);
