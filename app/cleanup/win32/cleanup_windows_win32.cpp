#include "app/cleanup/cleanup_windows.h"

#include "app/cleanup/win32/cleanup_dialogs.h"
#include "toolkit/forms/tform.h"
#include "toolkit/forms/win32_native.h"

std::optional<CleanupOutcome> showMoveUnusedWindow(TForm &owner, const ScanRequest &scan, const std::string &firstLine)
{
    return runMoveUnusedDialog(windowHandle(owner), scan, firstLine);
}

bool showRestoreMovedWindow(TForm &owner, const std::string &manifest, const std::string &firstLine)
{
    return runRestoreMovedDialog(windowHandle(owner), manifest, firstLine);
}

void showMissingSoundsWindow(TForm &owner, const ScanRequest &scan, const std::string &firstLine)
{
    runMissingSoundsDialog(windowHandle(owner), scan, firstLine);
}
