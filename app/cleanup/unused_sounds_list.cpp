#include "app/cleanup/unused_sounds_list.h"

#include <algorithm>

#include "app/cleanup/count_text.h"
#include "app/cleanup/relative_path.h"
#include "cleanup/kept_moves.h"

UnusedSoundsList::UnusedSoundsList(const ScanDetails &details, const FileOperations &operations,
                                   const KeepList *keep)
{
    const NearMisses nearMisses = findNearMisses(details);
    for (std::size_t u = 0; u < details.unreferenced.size(); ++u) {
        UnusedSoundRow row;
        row.path = details.unreferenced[u].path;
        row.relativePath = pathShownBelow(row.path, details.audioFolder);
        FileStamp stamp;
        if (!operations.stat(row.path, stamp))
            row.size = stamp.size;
        row.near = nearMisses.unreferenced[u];
        if (row.near)
            row.nearSchemeFile = pathShownBelow(row.near->schemeFile, details.schemesFolder);
        row.ticked = !row.near;
        m_rows.push_back(std::move(row));
    }
    markKept(keep);
}

void UnusedSoundsList::markKept(const KeepList *keep)
{
    m_keepListName = keep ? utf8FromPath(pathFromUtf8(keep->path()).filename()) : std::string();
    for (UnusedSoundRow &row : m_rows) {
        row.kept = keep ? keptReason(*keep, row.path) : std::nullopt;
        row.ticked = row.ticked && !row.kept;
    }
}

const char *UnusedSoundsList::header(Column column)
{
    switch (column) {
    case PathColumn:
        return "File";
    case SizeColumn:
        return "Bytes";
    case NearMissColumn:
        return "Near miss";
    case KeptColumn:
        return "Kept";
    case ColumnCount:
        break;
    }
    return "";
}

std::string UnusedSoundsList::cellText(std::size_t index, Column column) const
{
    const UnusedSoundRow &row = m_rows.at(index);
    switch (column) {
    case PathColumn:
        return row.relativePath;
    case SizeColumn:
        return groupedNumber(row.size);
    case NearMissColumn:
        if (row.near)
            return "\"" + row.near->name + "\" in " + row.nearSchemeFile + ", line " + std::to_string(row.near->lineNumber);
        return {};
    case KeptColumn:
        if (row.kept)
            return "kept by " + m_keepListName + ", line " + std::to_string(row.kept->lineNumber);
        return {};
    case ColumnCount:
        break;
    }
    return {};
}

std::string UnusedSoundsList::nearMissExplanation(std::size_t index) const
{
    const UnusedSoundRow &row = m_rows.at(index);
    if (!row.near)
        return {};
    return "A scheme names \"" + row.near->name + "\" (" + row.nearSchemeFile + ", line "
           + std::to_string(row.near->lineNumber) + "); the game may load this file.";
}

void UnusedSoundsList::setTicked(std::size_t index, bool ticked)
{
    UnusedSoundRow &row = m_rows.at(index);
    row.ticked = ticked && !row.kept;
}

void UnusedSoundsList::setAllTicked(bool ticked)
{
    for (std::size_t index = 0; index < m_rows.size(); ++index)
        setTicked(index, ticked);
}

void UnusedSoundsList::toggle(const std::vector<std::size_t> &indexes)
{
    const bool allTicked = std::all_of(indexes.begin(), indexes.end(), [this](std::size_t index) {
        return m_rows.at(index).ticked || m_rows.at(index).kept;
    });
    for (const std::size_t index : indexes)
        setTicked(index, !allTicked);
}

UnusedSoundsList::TickState UnusedSoundsList::tickState() const
{
    const auto ticked = std::count_if(m_rows.begin(), m_rows.end(), [](const UnusedSoundRow &row) { return row.ticked; });
    const auto tickable = std::count_if(m_rows.begin(), m_rows.end(), [](const UnusedSoundRow &row) { return !row.kept; });
    if (ticked == 0)
        return TickState::None;
    return ticked == tickable ? TickState::All : TickState::Some;
}

std::vector<std::string> UnusedSoundsList::tickedPaths() const
{
    std::vector<std::string> paths;
    for (const UnusedSoundRow &row : m_rows)
        if (row.ticked)
            paths.push_back(row.path);
    return paths;
}

std::uintmax_t UnusedSoundsList::tickedBytes() const
{
    std::uintmax_t total = 0;
    for (const UnusedSoundRow &row : m_rows)
        if (row.ticked)
            total += row.size;
    return total;
}

std::string UnusedSoundsList::totalText() const
{
    return "Ticked: " + groupedNumber(tickedPaths().size()) + " of " + countText(m_rows.size(), "file", "files") + ", "
           + byteCountText(tickedBytes());
}
