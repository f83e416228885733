#pragma once

#include <string>
#include <string_view>

// The one comparison of names the keep list makes: a pattern and a sound's
// path match when their folded forms do. Every fold of the keep list goes
// through here, so that the list compares letter case exactly as the near
// misses between scheme names and files do, on every platform.
std::string keepFoldedName(std::string_view utf8);
