#pragma once

#include <nlohmann/json.hpp>

#include "cli/scan/folder_problems.h"
#include "cli/scan/scan_arguments.h"
#include "scan/scan_run.h"
#include "toolkit/filesystem/file_system.h"

// The JSON document of a scan: the report, the counts, every unreferenced
// file with its folder, path and size, their total size, the names no audio
// file was found for (with scheme file and line), the near misses (an
// unreferenced file that a reference names but for letter case or outer
// blanks, with that reference's scheme file and line), the keep list that
// applies (with its error, if it cannot be used) and the unreferenced files it
// keeps (with its line and pattern), and what could not be read.
//
// Text fields carry file-system names, which need not be UTF-8. A text that
// is not valid UTF-8 comes out with each invalid byte replaced by U+FFFD when
// dumped, and beside it a field of the same name with "Hex" appended that
// holds the exact bytes in hexadecimal, so that no path is ever lost.
// Sizes are looked up through `fs` (null when a file has gone meanwhile).
// Sets `key` of `object` to the file-system text `value`, with the "Hex"
// field beside it when the text is not UTF-8.
void putText(nlohmann::ordered_json &object, const std::string &key, const std::string &value);

// `folderErrors` lists the given folders that are missing, not folders or
// unreadable, each with its path and the reason (see findFolderProblems).
nlohmann::ordered_json scanToJson(const ScanArguments &arguments, const ScanDetails &details,
                                  const std::vector<FolderProblem> &folderProblems, const FileSystem &fs);

// The document as text: two-space indentation, each invalid UTF-8 byte
// replaced by U+FFFD (the "Hex" fields keep the bytes).
std::string dumpScanJson(const nlohmann::ordered_json &document);
