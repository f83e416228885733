#pragma once

#include <string>

// The full path of the running program's own file, as UTF-8; empty when
// the system cannot tell it.
std::string programFile();
