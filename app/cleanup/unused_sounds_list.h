#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cleanup/near_misses.h"
#include "keep/keep_list.h"
#include "scan/scan_run.h"
#include "toolkit/filesystem/file_operations.h"

// One unreferenced file of a scan as the move window lists it.
struct UnusedSoundRow {
    std::string path;          // absolute, as the scan lists it
    std::string relativePath;  // below the audio folder, '/'-separated
    std::uintmax_t size = 0;   // 0 when it cannot be read
    std::optional<NearReference> near;
    std::string nearSchemeFile;  // the near reference's scheme, below the schemes folder
    std::optional<KeepReason> kept;  // the keep list's line that keeps it out of every move
    bool ticked = true;
};

// The unreferenced files of a scan with a tick each: what will be moved.
// Near misses start unticked, every other file ticked. A sound the keep list
// keeps is never ticked: ticks asked for it are ignored, so no action of the
// user's puts it into a move. Knows no window; a view shows its cells and
// forwards the user's ticks to it.
class UnusedSoundsList {
public:
    enum Column { PathColumn, SizeColumn, NearMissColumn, KeptColumn, ColumnCount };
    enum class TickState { None, Some, All };

    // Reads each file's size through `operations`; marks what `keep` keeps
    // (none when null).
    UnusedSoundsList(const ScanDetails &details, const FileOperations &operations, const KeepList *keep = nullptr);

    // Marks the rows `keep` keeps (none when null) and unticks them; a row
    // no longer kept stays unticked until the user ticks it.
    void markKept(const KeepList *keep);
    std::size_t size() const { return m_rows.size(); }
    const UnusedSoundRow &row(std::size_t index) const { return m_rows.at(index); }

    static const char *header(Column column);
    // The text of one cell: the path below the audio folder, the size in
    // bytes, for a near miss the reference that nearly names the file, and
    // for a kept sound the list's line that keeps it.
    std::string cellText(std::size_t index, Column column) const;
    // A sentence on why a near miss is not ticked; empty for other files.
    std::string nearMissExplanation(std::size_t index) const;

    void setTicked(std::size_t index, bool ticked);
    void setAllTicked(bool ticked);
    // Space on a selection: ticks every row of `indexes` unless all of them
    // are ticked already, then clears them all. Kept rows take no part.
    void toggle(const std::vector<std::size_t> &indexes);
    // Of the rows that can be ticked (kept ones cannot), how many are.
    TickState tickState() const;

    std::vector<std::string> tickedPaths() const;
    std::uintmax_t tickedBytes() const;
    // "Ticked: 1 of 2 files, 3 bytes".
    std::string totalText() const;

private:
    std::vector<UnusedSoundRow> m_rows;
    std::string m_keepListName;  // the file name of the list that keeps rows
};
