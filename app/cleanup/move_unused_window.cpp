#include "app/cleanup/move_unused_window.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "app/cleanup/count_text.h"
#include "cleanup/kept_moves.h"
#include "keep/keep_list_file.h"
#include "toolkit/filesystem/paths.h"

MoveUnusedWindow::MoveUnusedWindow(const ScanRequest &scan, const FileOperations &operations, const std::tm &now)
    : m_scan(scan)
    , m_operations(operations)
    , m_details(runScanDetailed(scan))
    , m_list(m_details, operations)
    , m_offeredFolder(defaultQuarantineFolder(m_details.audioFolder, now))
{
    readKeepList();
}

void MoveUnusedWindow::readKeepList()
{
    // Without an audio folder there is nothing to keep, and no folder to
    // look for a list from.
    m_keep = m_details.audioFolder.empty() ? std::nullopt : keepListFor(m_details.audioFolder, m_operations);
    m_list.markKept(m_keep ? &*m_keep : nullptr);
}

std::string MoveUnusedWindow::keepListLine() const
{
    if (!m_keep)
        return "Keep list: none";
    if (!m_keep->error().empty())
        return "Keep list: " + m_keep->error() + " (nothing can be moved until it is mended)";
    return "Keep list: " + m_keep->path();
}

std::string MoveUnusedWindow::keepListPath() const
{
    return m_keep ? m_keep->path() : joinPath(m_details.audioFolder, KeepList::fileName);
}

std::vector<std::string> MoveUnusedWindow::pathsFromList(const KeepList &list, const std::vector<std::size_t> &rows) const
{
    std::vector<std::string> paths;
    for (const std::size_t index : rows)
        if (const std::optional<std::string> relative = list.relativePath(m_list.row(index).path))
            paths.push_back(*relative);
    return paths;
}

std::optional<WindowMessage> MoveUnusedWindow::keep(const std::vector<std::size_t> &rows, const std::tm &now)
{
    if (rows.empty())
        return WindowMessage{WindowMessage::Kind::Information, "Select the sounds to keep first.", {}};
    std::array<char, 16> date{};
    std::strftime(date.data(), date.size(), "%Y-%m-%d", &now);
    const std::string path = keepListPath();
    return afterEdit(keepSounds(path, pathsFromList(KeepList(path, {}), rows), date.data(), m_operations));
}

std::optional<WindowMessage> MoveUnusedWindow::unkeep(const std::vector<std::size_t> &rows)
{
    if (rows.empty() || !m_keep)
        return WindowMessage{WindowMessage::Kind::Information,
                             rows.empty() ? "Select the sounds to unkeep first." : "No keep list keeps these sounds.",
                             {}};
    return afterEdit(unkeepSounds(m_keep->path(), pathsFromList(*m_keep, rows), m_operations));
}

std::optional<WindowMessage> MoveUnusedWindow::afterEdit(const KeepEdit &edit)
{
    readKeepList();
    if (!edit.error.empty())
        return WindowMessage{WindowMessage::Kind::Warning, "The keep list was not changed: " + edit.error, {}};
    if (edit.notes.empty())
        return std::nullopt;
    WindowMessage message{WindowMessage::Kind::Information, {}, {}};
    for (const std::string &note : edit.notes)
        message.text += (message.text.empty() ? "" : "\n") + note;
    return message;
}

std::optional<WindowMessage> MoveUnusedWindow::play(std::size_t index, const FileOpener &open) const
{
    return openThroughDesktop(open, m_list.row(index).path);
}

std::variant<MoveRequest, WindowMessage> MoveUnusedWindow::planMove(const std::string &folderText,
                                                                    const std::string &programVersion)
{
    readKeepList();
    if (m_keep && !m_keep->error().empty())
        return WindowMessage{WindowMessage::Kind::Warning,
                             "Nothing was moved: the keep list cannot be used: " + m_keep->error()
                                 + "\n\nMend the list, or Cancel.",
                             {}};
    MoveRequest request;
    request.scan = m_scan;
    request.files = m_list.tickedPaths();
    request.quarantineFolder = absolutePath(folderText, m_scan.baseFolder);
    request.programVersion = programVersion;
    if (request.files.empty())
        return WindowMessage{WindowMessage::Kind::Information, "No file is ticked.", {}};
    if (request.quarantineFolder.empty())
        return WindowMessage{WindowMessage::Kind::Information, "Choose a quarantine folder first.", {}};
    return request;
}

CleanupOutcome MoveUnusedWindow::runMove(const MoveRequest &request, const CleanupProgress &progress) const
{
    return moveUnusedKeeping(request, m_keep ? &*m_keep : nullptr, FileSystem::native(), m_operations, progress);
}

MoveUnusedWindow::Verdict MoveUnusedWindow::finishMove(const MoveRequest &request, const CleanupOutcome &outcome)
{
    const std::size_t moved = outcome.count(FileResult::Moved);
    const std::size_t failed = outcome.count(FileResult::Failed);
    const std::size_t notTried = request.files.size() - std::min(request.files.size(), outcome.files.size());
    Verdict verdict;
    verdict.closeWindow = moved > 0 || (failed == 0 && outcome.error.empty());
    verdict.message.kind = outcome.complete() && notTried == 0 ? WindowMessage::Kind::Information
                                                                : WindowMessage::Kind::Warning;
    std::string &text = verdict.message.text;
    if (outcome.files.empty() && !outcome.error.empty()) {
        text = "Nothing was moved: " + outcome.error + "\n\nChoose another quarantine folder, or Cancel.";
        return verdict;
    }
    text = "Moved " + countText(moved, "file", "files") + " (" + byteCountText(outcome.bytes(FileResult::Moved))
           + "), skipped " + std::to_string(outcome.count(FileResult::Skipped)) + ", failed " + std::to_string(failed)
           + ".";
    if (notTried > 0)
        text += "\n\n" + countText(notTried, "ticked file was", "ticked files were") + " not tried: the move stopped"
                + (outcome.error.empty() ? std::string(".") : " because " + outcome.error);
    else if (!outcome.error.empty())
        text += "\n\n" + outcome.error;
    if (!outcome.manifestPath.empty())
        text += "\n\nManifest: " + outcome.manifestPath;
    if (!verdict.closeWindow)
        text += "\n\nChoose another quarantine folder, or Cancel.";
    for (const FileReport &file : outcome.files)
        if (!file.message.empty())
            verdict.message.details += std::string(resultName(file.result)) + " " + file.path + ": " + file.message + "\n";
    return verdict;
}

std::string defaultQuarantineFolder(const std::string &audioFolder, const std::tm &now)
{
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &now);
    std::filesystem::path audio = pathFromUtf8(audioFolder);
    if (!audio.has_filename())
        audio = audio.parent_path();
    return utf8FromPath(audio.parent_path() / pathFromUtf8(utf8FromPath(audio.filename()) + "-unused-" + stamp.data()));
}

std::string absolutePath(const std::string &folderText, const std::string &baseFolder)
{
    if (folderText.empty())
        return {};
    std::string base = baseFolder;
    if (base.empty()) {
        std::error_code error;
        base = utf8FromPath(std::filesystem::current_path(error));
    }
    std::filesystem::path folder =
        pathFromUtf8(isAbsolutePath(folderText) ? folderText : joinPath(base, folderText)).lexically_normal();
    if (folder.has_relative_path() && !folder.has_filename())
        folder = folder.parent_path();  // no trailing separator
    return utf8FromPath(folder);
}
