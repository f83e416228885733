#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <variant>

#include "app/cleanup/unused_sounds_list.h"
#include "app/cleanup/window_message.h"
#include "cleanup/cleanup_report.h"
#include "cleanup/move_unused.h"
#include "keep/keep_list.h"
#include "keep/keep_list_edit.h"
#include "scan/scan_run.h"

// What "Move unused sounds" decides and says, without a window: the list of
// unreferenced files with their ticks, the keep list that applies, the
// quarantine folder offered, what Play, Keep, Unkeep and Move do, and the
// message after a move. A view shows the texts
// below, forwards the user's actions here, runs the move it is handed with
// a progress bar, and shows the verdict.
class MoveUnusedWindow {
public:
    static constexpr const char *title = "Move unused sounds";
    static constexpr const char *listLabel =
        "Unreferenced &files of the last scan (Space ticks the selected rows, double-click or Play listens):";
    static constexpr const char *tickAllLabel = "Tick &all";
    static constexpr const char *folderLabel = "&Quarantine folder:";
    static constexpr const char *chooseFolderTitle = "Choose the quarantine folder";
    static constexpr const char *moveButton = "&Move";  // the default button
    static constexpr const char *playButton = "&Play";
    static constexpr const char *keepButton = "&Keep";
    static constexpr const char *unkeepButton = "&Unkeep";
    static constexpr const char *progressLabel = "Moving unused sounds...";

    // Runs the scan of `scan` again to list what is unused now; `now` (local
    // time) names the quarantine folder offered first. Reads the keep list
    // of the audio folder (or of the nearest folder above it that has one)
    // and marks the sounds it keeps. `operations` outlives the window.
    MoveUnusedWindow(const ScanRequest &scan, const FileOperations &operations, const std::tm &now);

    UnusedSoundsList &list() { return m_list; }
    const UnusedSoundsList &list() const { return m_list; }
    const std::string &offeredFolder() const { return m_offeredFolder; }
    // "Keep list: PATH", "Keep list: none", or the list's path, line and why
    // when it cannot be understood.
    std::string keepListLine() const;

    // Play: the file of row `index` through the desktop.
    std::optional<WindowMessage> play(std::size_t index, const FileOpener &open) const;

    // Keep and Unkeep: adds the sounds of `rows` to the keep list, or takes
    // back the lines that name exactly them; `now` (local time) dates the
    // lines added. The list is the one found, or a new one in the audio
    // folder. The rows' kept state is read again afterwards. Returns what to
    // say when the list could not be changed or a sound was left as it was.
    std::optional<WindowMessage> keep(const std::vector<std::size_t> &rows, const std::tm &now);
    std::optional<WindowMessage> unkeep(const std::vector<std::size_t> &rows);

    // Move, step one: the move to run for the folder field's text (relative
    // to the scan's base folder), or why there is nothing to run. Reads the
    // keep list again first, so the move goes by the list as it is now; one
    // that cannot be understood stops the move here.
    std::variant<MoveRequest, WindowMessage> planMove(const std::string &folderText, const std::string &programVersion);
    // Move, step two: runs `request` by the keep list, which skips or
    // refuses every sound it keeps, whatever the request names.
    CleanupOutcome runMove(const MoveRequest &request, const CleanupProgress &progress = {}) const;

    // Move, step three: what to say about `outcome`, the result of running
    // `request`, and whether the window closes. It stays open when nothing
    // was moved because the folder was refused or every file failed, so
    // that another folder can be chosen.
    struct Verdict {
        WindowMessage message;
        bool closeWindow = true;
    };
    static Verdict finishMove(const MoveRequest &request, const CleanupOutcome &outcome);

private:
    void readKeepList();
    std::optional<WindowMessage> afterEdit(const KeepEdit &edit);
    std::vector<std::string> pathsFromList(const KeepList &list, const std::vector<std::size_t> &rows) const;
    std::string keepListPath() const;

    ScanRequest m_scan;
    const FileOperations &m_operations;
    ScanDetails m_details;
    std::optional<KeepList> m_keep;
    UnusedSoundsList m_list;
    std::string m_offeredFolder;
};

// The quarantine folder offered first: beside the audio folder, named after
// it with "-unused-" and the date and time, e.g. "audio-unused-20261206-231500".
std::string defaultQuarantineFolder(const std::string &audioFolder, const std::tm &now);

// `folderText` as an absolute path without a trailing separator, a
// relative one taken from `baseFolder`; empty when `folderText` is.
std::string absolutePath(const std::string &folderText, const std::string &baseFolder);
