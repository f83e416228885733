#pragma once

#include <cstddef>
#include <vector>

#include "scan/file_name_list.h"
#include "scan/scheme_reader.h"

// Takes the referenced audio files out of `audio`. References are taken in
// order; each one removes the first remaining node of `audio` whose name
// equals it exactly, so a name referenced twice removes two nodes of that
// name, if there are two. The remaining nodes keep their order. Runs in time
// linear in the two lists' sizes (one hash index over `audio`).
//
// Returns the indices into `references` of the references whose name no
// node of `audio` had before the removal: names no audio file was found for.
// Throws std::length_error for an audio list of four billion nodes or more.
std::vector<std::size_t> removeReferencedAudio(FileNameList &audio, const std::vector<SchemeReference> &references);
