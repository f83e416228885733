#pragma once

#include <optional>
#include <string>

#include "cleanup/cleanup_report.h"
#include "scan/scan_run.h"

class TForm;

// The clean-up windows as the main window opens them: each modal over
// `owner`, with `firstLine` (the folders it works on) above everything
// else. Each platform's views implement them (app/cleanup/qt on Linux,
// app/cleanup/win32 on Windows) over the same models.

// "Move unused sounds" for the folders of `scan`: what the move did, once
// files were moved; nothing when the window was cancelled.
std::optional<CleanupOutcome> showMoveUnusedWindow(TForm &owner, const ScanRequest &scan,
                                                   const std::string &firstLine);

// "Restore moved sounds", offering `manifest` first (may be empty). Returns
// whether any file came back while the window was open.
bool showRestoreMovedWindow(TForm &owner, const std::string &manifest, const std::string &firstLine);

// "Missing sounds" for the last scan, `scan`.
void showMissingSoundsWindow(TForm &owner, const ScanRequest &scan, const std::string &firstLine);
