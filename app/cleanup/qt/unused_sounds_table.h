#pragma once

#include <QAbstractTableModel>

#include <cstddef>
#include <vector>

#include "app/cleanup/unused_sounds_list.h"

// The list of unused sounds as a Qt table: shows the list's cells, ticks in
// the path column (none to set on a kept sound, whose row is greyed), the
// near-miss explanation as a tooltip, and forwards ticks to the list. The list outlives the table.
class UnusedSoundsTable : public QAbstractTableModel {
public:
    explicit UnusedSoundsTable(UnusedSoundsList &list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Ticks or clears every row.
    void setAllTicked(bool ticked);
    // Ticks the rows unless all of them are ticked, then clears them.
    void toggle(const std::vector<std::size_t> &rows);
    // Tells the view that the list's kept rows (and so their ticks) changed.
    void keptChanged();

private:
    void ticksChanged();

    UnusedSoundsList &m_list;
};
