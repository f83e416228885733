#pragma once

#include <string>

// The HTML manual that stands in for "manual.chm" where the working folder
// has none: installed as share/doc/vorrel/manual/manual.html beside the
// program's bin folder. The build tree keeps the same layout, so a program
// run from it finds the build's copy. Empty when there is none.
std::string installedManualPath();
