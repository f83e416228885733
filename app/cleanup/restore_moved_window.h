#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "app/cleanup/window_message.h"
#include "cleanup/cleanup_report.h"

// What "Restore moved sounds" decides and says, without a window: the
// manifest offered, what Restore runs, and afterwards a row per file and a
// summary. A view runs the restore it is handed with a progress bar.
class RestoreMovedWindow {
public:
    static constexpr const char *title = "Restore moved sounds";
    static constexpr const char *manifestLabel = "&Manifest:";
    static constexpr const char *chooseManifestTitle = "Choose a manifest of moved sounds";
    static constexpr const char *manifestFilter = "Manifests of moved sounds (*.json)";
    static constexpr const char *resultsLabel = "Re&sults:";
    static constexpr const char *restoreButton = "&Restore";  // the default button
    static constexpr const char *progressLabel = "Restoring moved sounds...";
    static constexpr std::array<const char *, 3> headers{"Result", "File", "Details"};

    // `manifest`: the one offered first (written by the last move), or empty.
    explicit RestoreMovedWindow(std::string manifest) : m_offeredManifest(std::move(manifest)) {}

    const std::string &offeredManifest() const { return m_offeredManifest; }

    // Restore, step one: the manifest to restore from for the field's text
    // (a relative one taken from `baseFolder`), or why there is none.
    std::variant<std::string, WindowMessage> planRestore(const std::string &manifestText,
                                                         const std::string &baseFolder) const;
    // Restore, step two: takes in what the restore did.
    void finishRestore(const CleanupOutcome &outcome);

    // One row per file of the last restore: result, original path, and why
    // it did not come back.
    const std::vector<std::array<std::string, 3>> &rows() const { return m_rows; }
    // The counts of the last restore and what stopped it; or why it could
    // not start, such as a manifest that cannot be read.
    const std::string &summary() const { return m_summary; }
    // Whether any file came back since the window opened: the main window's
    // results are stale then.
    bool restoredAny() const { return m_restoredAny; }

private:
    std::string m_offeredManifest;
    std::vector<std::array<std::string, 3>> m_rows;
    std::string m_summary;
    bool m_restoredAny = false;
};
