#include "app/cleanup/missing_sounds_window.h"

#include "app/cleanup/count_text.h"
#include "app/cleanup/relative_path.h"
#include "cleanup/near_misses.h"

namespace {

// Why the scan gave no list to trust; empty when it completed.
std::string scanFailure(const ScanRequest &scan, const ScanDetails &details)
{
    switch (details.outcome) {
    case ScanOutcome::Completed:
        return {};
    case ScanOutcome::NoSchemeFiles:
        return details.schemesFolder.empty()
                   ? "the schemes folder \"" + scan.schemesFolder + "\" does not exist."
                   : "the schemes folder " + details.schemesFolder + " holds no scheme file.";
    case ScanOutcome::DirectoryReadingError:
        return details.audioFolder.empty() ? "the audio folder \"" + scan.audioFolder + "\" does not exist."
                                           : "the audio folder " + details.audioFolder + " cannot be read.";
    }
    return {};
}

} // namespace

MissingSoundsWindow::MissingSoundsWindow(const ScanRequest &scan, const ScanDetails &details)
{
    if (const std::string failure = scanFailure(scan, details); !failure.empty()) {
        // Without the audio files every referenced name would look missing.
        m_scanFailed = true;
        m_intro = "The scan failed, so nothing is listed: " + failure;
        return;
    }
    const NearMisses nearMisses = findNearMisses(details);
    for (std::size_t m = 0; m < details.missing.size(); ++m) {
        const MissingAudio &missing = details.missing[m];
        m_rows.push_back({missing.name, pathShownBelow(missing.schemeFile, details.schemesFolder),
                          std::to_string(missing.lineNumber),
                          nearMisses.missing[m] ? pathShownBelow(*nearMisses.missing[m], details.audioFolder) : ""});
        m_lineNumbers.push_back(missing.lineNumber);
        m_schemeFiles.push_back(missing.schemeFile);
    }
    m_intro = countText(details.missing.size(), "referenced &name has", "referenced &names have") + " no audio file:";
}

std::optional<WindowMessage> MissingSoundsWindow::openScheme(std::size_t index, const FileOpener &open) const
{
    return openThroughDesktop(open, m_schemeFiles.at(index));
}
