#pragma once

#include <string>

// The HTML manual that stands in for "manual.chm" where the working folder
// has none. On Linux it is installed as share/doc/vorrel/manual/manual.html
// beside the program's bin folder, and the build tree keeps the same
// layout, so a program run from it finds the build's copy. On Windows it is
// manual\manual.html beside the program, as the zip unpacks. Empty when
// there is none.
std::string installedManualPath();
