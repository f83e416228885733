#include "app/cleanup/restore_moved_window.h"

#include "app/cleanup/count_text.h"
#include "app/cleanup/move_unused_window.h"

std::variant<std::string, WindowMessage> RestoreMovedWindow::planRestore(const std::string &manifestText,
                                                                         const std::string &baseFolder) const
{
    if (manifestText.empty())
        return WindowMessage{WindowMessage::Kind::Information, "Choose a manifest first.", {}};
    return absolutePath(manifestText, baseFolder);
}

void RestoreMovedWindow::finishRestore(const CleanupOutcome &outcome)
{
    m_rows.clear();
    for (const FileReport &file : outcome.files)
        m_rows.push_back({resultName(file.result), file.destination,
                          file.result == FileResult::Restored ? std::string() : file.message});
    const std::size_t restored = outcome.count(FileResult::Restored);
    m_restoredAny = m_restoredAny || restored > 0;
    if (outcome.files.empty() && !outcome.error.empty()) {
        m_summary = outcome.error;
        return;
    }
    m_summary = "Restored " + countText(restored, "file", "files") + " ("
                + byteCountText(outcome.bytes(FileResult::Restored)) + "), "
                + countText(outcome.count(FileResult::Conflict), "conflict", "conflicts") + ", "
                + std::to_string(outcome.count(FileResult::Failed)) + " failed.";
    if (!outcome.error.empty())
        m_summary += "\n" + outcome.error;
}
