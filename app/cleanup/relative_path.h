#pragma once

#include <string>

#include "toolkit/filesystem/paths.h"

// `path` below `folder`, '/'-separated, as the clean-up windows show paths;
// `path` itself when it does not lie below `folder`.
inline std::string pathShownBelow(const std::string &path, const std::string &folder)
{
    return relativePathInside(folder, path).value_or(path);
}
