#pragma once

#include <string>
#include <vector>

#include "scan/file_name_list.h"
#include "scan/unreadable_path.h"
#include "toolkit/filesystem/file_system.h"

// The walkers that fill file-name lists from a folder given by its absolute
// path. A walker enters a folder only when its attribute word is exactly the
// folder attribute: linked folders and dot-folders are never entered, so no
// link can lead a walk in a circle. None of them changes the working folder.

// Appends the entries of `folder` matching "*.sch" (letter case ignored) that
// are not folders, each with `folder` as its folder. A folder that cannot be
// entered adds nothing.
void collectSchemesFlat(const FileSystem &fs, const std::string &folder, FileNameList &list, bool cutExtension);

// Appends, depth first, the files of `folder` and all its subfolders whose
// names end in exactly ".sch" (schemes mode) or ".ogg" (audio mode, which
// cuts the extension), compared case-sensitively; a subfolder's files stand
// where the subfolder stands among its parent's entries. A subfolder that
// cannot be entered is skipped and added, with why, to `skippedFolders`.
// Returns false, having added nothing, when `folder` itself cannot be entered.
bool collectRecursive(const FileSystem &fs, const std::string &folder, FileNameList &list, bool audioMode,
                      std::vector<UnreadablePath> &skippedFolders);

// Appends the entries of `folder` matching "*.ogg" (letter case ignored) that
// are not folders, extension cut. Returns whether the search found anything
// at all; false too when `folder` cannot be entered.
bool collectAudioFlat(const FileSystem &fs, const std::string &folder, FileNameList &list);
