#pragma once

#include <optional>
#include <string>

#include "keep/keep_list.h"
#include "toolkit/filesystem/file_operations.h"

// The keep list that applies to the sounds of `audioFolder` (absolute,
// canonical): the folder's own vorrel-keep.txt, else that of the nearest
// folder above it that has one, so that choosing a subfolder as the audio
// folder still goes by the list. Empty when no folder up to the root has one.
std::string findKeepList(const std::string &audioFolder, const FileOperations &operations);

// Reads the list at `path` (absolute). A file that cannot be read gives a
// list whose error names it and says why.
KeepList readKeepList(const std::string &path, const FileOperations &operations);

// The list that applies to the sounds of `audioFolder`, read: what a move,
// and a window that marks kept sounds, go by. Nothing when there is none.
std::optional<KeepList> keepListFor(const std::string &audioFolder, const FileOperations &operations);
