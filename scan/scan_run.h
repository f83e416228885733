#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scan/scheme_reader.h"
#include "scan/unreadable_path.h"
#include "toolkit/filesystem/file_system.h"

// One scan: where the scheme files and the audio files are, and whether each
// of the two folders is searched together with its subfolders.
struct ScanRequest {
    std::string schemesFolder;       // may be relative, empty, or end with '/'
    std::string audioFolder;         // likewise
    bool schemesSubfolders = false;  // search the schemes folder's subfolders too
    bool audioSubfolders = false;    // search the audio folder's subfolders too
    std::string baseFolder;          // relative folders resolve against this; empty = the process's current folder
};

// Runs one whole scan and returns the report's lines, in order. Never
// changes the process's working folder and never throws for anything on
// disk: folders that cannot be entered and files that cannot be read are
// reported through the lines.
std::vector<std::string> runScan(const ScanRequest &request);

// An audio file that no scheme uses.
struct UnreferencedAudio {
    std::string name;    // base name, as the report lists it
    std::string folder;  // absolute folder it was found in
    std::string path;    // the file itself, extension as found on disk
};

// A referenced name for which no audio file of that name was found at all.
struct MissingAudio {
    std::string name;
    std::string schemeFile;  // absolute path of the scheme that names it
    std::size_t lineNumber = 0;
};

enum class ScanOutcome {
    Completed,
    NoSchemeFiles,          // "Error, empty folder or wrong path."
    DirectoryReadingError   // the audio folder gave nothing to read
};

// Everything one scan found out. `lines` is the report; the rest is detail
// for front ends that show more than the report.
struct ScanDetails {
    std::vector<std::string> lines;
    ScanOutcome outcome = ScanOutcome::Completed;
    std::string schemesFolder;  // canonical absolute path; empty when it does not resolve
    std::string audioFolder;    // likewise; empty also when the run never got to it
    std::size_t schemeFiles = 0;
    std::size_t references = 0;
    std::size_t audioFiles = 0;
    std::vector<UnreferencedAudio> unreferenced;
    std::vector<MissingAudio> missing;
    std::vector<std::string> schemeFilePaths;  // absolute, in reading order
    std::vector<SchemeReference> referencedNames;  // every reference; schemeIndex points into schemeFilePaths
    // What could not be read, each with why. The sounds an unread scheme
    // uses are unknown, so nothing may be taken as unused while any is listed.
    std::vector<UnreadablePath> unreadableSchemeFolders;  // subfolders the scheme walk could not enter
    std::vector<UnreadablePath> unreadableSchemeFiles;    // scheme files that could not be read to the end
    std::vector<UnreadablePath> unreadableAudioFolders;   // subfolders the audio walk could not enter
};

// Runs one whole scan over the file-system services `fs`. Never throws for
// anything found on disk; never changes the working folder.
ScanDetails runScanDetailed(const ScanRequest &request, const FileSystem &fs = FileSystem::native());

// The absolute, canonical folder that `folder` names, a relative one taken
// from `baseFolder` (itself taken from the current folder when relative or
// empty); nothing when `folder` is empty or names nothing that exists.
std::optional<std::string> resolveFolder(const FileSystem &fs, const std::string &baseFolder, const std::string &folder);
