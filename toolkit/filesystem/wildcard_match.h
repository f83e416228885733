#pragma once

#include <string_view>

// True when `name` matches the folder-search pattern `pattern`, where '*'
// stands for any run of characters (the empty one too) and '?' for exactly
// one. ASCII letters compare without regard to case; every other byte must be
// equal. Runs in O(pattern * name) at worst, without recursion.
bool matchesWildcard(std::string_view pattern, std::string_view name);
