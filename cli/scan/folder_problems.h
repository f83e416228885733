#pragma once

#include <string>
#include <vector>

#include "scan/scan_run.h"
#include "toolkit/filesystem/file_system.h"

// A folder given for a scan that cannot be read as a folder.
struct FolderProblem {
    std::string which;   // "schemes" or "audio"
    std::string path;    // absolute, written with the platform's separators
    std::string reason;  // "no such folder", "not a folder", "cannot be read (...)"
};

// Checks the two folders of `request` as the user gave them, the schemes
// folder first: each must exist, be a folder (a link to one counts) and be
// readable. The scan itself goes on regardless and reports as it always
// has; these say why its report may be empty.
std::vector<FolderProblem> findFolderProblems(const FileSystem &fs, const ScanRequest &request);

// "audio folder D:\Mods\Sounds: no such folder"
std::string folderProblemText(const FolderProblem &problem);
