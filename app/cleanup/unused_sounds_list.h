#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cleanup/near_misses.h"
#include "scan/scan_run.h"
#include "toolkit/filesystem/file_operations.h"

// One unreferenced file of a scan as the move window lists it.
struct UnusedSoundRow {
    std::string path;          // absolute, as the scan lists it
    std::string relativePath;  // below the audio folder, '/'-separated
    std::uintmax_t size = 0;   // 0 when it cannot be read
    std::optional<NearReference> near;
    std::string nearSchemeFile;  // the near reference's scheme, below the schemes folder
    bool ticked = true;
};

// The unreferenced files of a scan with a tick each: what will be moved.
// Near misses start unticked, every other file ticked. Knows no window; a
// view shows its cells and forwards the user's ticks to it.
class UnusedSoundsList {
public:
    enum Column { PathColumn, SizeColumn, NearMissColumn, ColumnCount };
    enum class TickState { None, Some, All };

    // Reads each file's size through `operations`.
    UnusedSoundsList(const ScanDetails &details, const FileOperations &operations);

    std::size_t size() const { return m_rows.size(); }
    const UnusedSoundRow &row(std::size_t index) const { return m_rows.at(index); }

    static const char *header(Column column);
    // The text of one cell: the path below the audio folder, the size in
    // bytes, or for a near miss the reference that nearly names the file.
    std::string cellText(std::size_t index, Column column) const;
    // A sentence on why a near miss is not ticked; empty for other files.
    std::string nearMissExplanation(std::size_t index) const;

    void setTicked(std::size_t index, bool ticked) { m_rows.at(index).ticked = ticked; }
    void setAllTicked(bool ticked);
    // Space on a selection: ticks every row of `indexes` unless all of them
    // are ticked already, then clears them all.
    void toggle(const std::vector<std::size_t> &indexes);
    TickState tickState() const;

    std::vector<std::string> tickedPaths() const;
    std::uintmax_t tickedBytes() const;
    // "Ticked: 1 of 2 files, 3 bytes".
    std::string totalText() const;

private:
    std::vector<UnusedSoundRow> m_rows;
};
