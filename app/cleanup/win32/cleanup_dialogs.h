#pragma once

#include "app/cleanup/win32/windows_api.h"

#include <optional>
#include <string>

#include "cleanup/cleanup_report.h"
#include "scan/scan_run.h"

// The clean-up windows as Win32 dialogs over the models of app/cleanup,
// each modal over `owner` (may be null), with `firstLine` above everything.
// They return what cleanup_windows.h says of the windows.

std::optional<CleanupOutcome> runMoveUnusedDialog(HWND owner, const ScanRequest &scan, const std::string &firstLine);
bool runRestoreMovedDialog(HWND owner, const std::string &manifest, const std::string &firstLine);
void runMissingSoundsDialog(HWND owner, const ScanRequest &scan, const std::string &firstLine);
