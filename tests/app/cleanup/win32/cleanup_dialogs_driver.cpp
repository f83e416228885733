// Opens the clean-up dialogs one after another over the folders given, for
// a person to try them by hand (no test runs it):
//   cleanup_dialogs_driver.exe SCHEMES AUDIO
// Move unused sounds, then Restore moved sounds offering the manifest of
// that move, then Missing sounds.
#include <cstdio>

#include "app/cleanup/scan_folders_line.h"
#include "app/cleanup/win32/cleanup_dialogs.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: cleanup_dialogs_driver SCHEMES AUDIO\n", stderr);
        return 2;
    }
    const ScanRequest scan{argv[1], argv[2], true, true, {}};
    const std::string firstLine = scanFoldersLine(scan.schemesFolder, scan.audioFolder);
    const auto moved = runMoveUnusedDialog(nullptr, scan, firstLine);
    std::printf("moved: %s\n", moved ? moved->manifestPath.c_str() : "nothing");
    std::printf("restored: %s\n", runRestoreMovedDialog(nullptr, moved ? moved->manifestPath : "", firstLine) ? "some" : "none");
    runMissingSoundsDialog(nullptr, scan, firstLine);
    return 0;
}
