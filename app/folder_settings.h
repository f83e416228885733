#pragma once

#include <string>

// The two folders the program remembers between runs, in the two-line text
// file Settings.ini: line 1 the schemes folder, line 2 the audio folder.
// Paths are the file system's 8-bit strings, of any length.
struct FolderStrings {
    std::string schemesFolder;
    std::string audioFolder;
};

// Which "..." button chose a folder.
enum class FolderKind { Schemes, Audio };

// Path of Settings.ini in `workingFolder` (the folder the program started
// in); just the file name when that folder is unknown (empty).
std::string settingsFilePath(const std::string &workingFolder);

// Reads the folders at start-up. Without a Settings.ini both folders are
// `workingFolder`. Otherwise line 1 is the schemes folder and line 2 the
// audio folder, each without its line end (a line feed, with a carriage
// return before it); a line without a line end is kept whole, and a missing
// line gives an empty folder. A Settings.ini that cannot be read leaves
// `folders` as they are. Reports nothing.
void loadSettings(const std::string &workingFolder, FolderStrings &folders);

// Rewrites Settings.ini after a "..." button was used, confirmed or not.
// Schemes: line 1 becomes the schemes folder and a line feed; line 2 stays
// as it stands in the file, line end included. Audio: line 1 stays (given
// a line feed if it had none, an empty line when the file had none) and
// line 2 becomes the audio folder, without a line end. Without a
// Settings.ini the file is created with the other line empty. Folders are
// written character for character. A Settings.ini that cannot be read is
// left untouched (rewriting it would lose the other line). The new text
// replaces the file whole (see replaceFileText): when it cannot be written,
// the old file stays as it was. Reports nothing.
void saveSettings(const std::string &workingFolder, FolderKind kind, const FolderStrings &folders);
