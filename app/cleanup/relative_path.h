#pragma once

#include <string>

#include "toolkit/filesystem/paths.h"

// `path` below `folder`, '/'-separated, as the clean-up windows show paths.
inline std::string pathBelow(const std::string &path, const std::string &folder)
{
    return genericUtf8FromPath(pathFromUtf8(path).lexically_relative(pathFromUtf8(folder)));
}
