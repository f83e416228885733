#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/cleanup/window_message.h"
#include "scan/scan_run.h"

// What "Missing sounds" decides and says, without a window: each referenced
// name for which the scan found no audio file, with its scheme file (below
// the schemes folder), its line and its near miss; or, when the scan
// failed, that it failed and why.
class MissingSoundsWindow {
public:
    static constexpr const char *title = "Missing sounds";
    static constexpr const char *openButton = "&Open scheme";
    static constexpr std::array<const char *, 4> headers{"Name", "Scheme file", "Line", "Near miss"};
    enum Column { NameColumn, SchemeColumn, LineColumn, NearMissColumn };

    // `scan` is what `details` looked at; the folders are named as the user gave them.
    MissingSoundsWindow(const ScanRequest &scan, const ScanDetails &details);

    // The text above the list, with an access key for the list when it has rows.
    const std::string &intro() const { return m_intro; }
    // True when the scan failed and the list is empty for that reason.
    bool scanFailed() const { return m_scanFailed; }

    std::size_t size() const { return m_rows.size(); }
    const std::array<std::string, 4> &row(std::size_t index) const { return m_rows.at(index); }
    std::size_t lineNumber(std::size_t index) const { return m_lineNumbers.at(index); }

    // Open scheme: the scheme file of row `index` through the desktop.
    std::optional<WindowMessage> openScheme(std::size_t index, const FileOpener &open) const;

private:
    std::string m_intro;
    bool m_scanFailed = false;
    std::vector<std::array<std::string, 4>> m_rows;
    std::vector<std::size_t> m_lineNumbers;
    std::vector<std::string> m_schemeFiles;  // absolute, per row
};
