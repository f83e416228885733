#include "toolkit/filesystem/wildcard_match.h"

#include "toolkit/core/ascii_case.h"

#include <cstddef>

namespace {

unsigned char upperAscii(char c)
{
    return asciiUpper(static_cast<unsigned char>(c));
}

} // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name)
{
    if (pattern == "*")
        return true;  // the walks' "every entry" search, once per entry
    constexpr std::size_t none = std::string_view::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    // Position of the last '*' seen and of the name byte it was tried against;
    // on a mismatch the star swallows one more byte and matching resumes.
    std::size_t starPattern = none;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || upperAscii(pattern[p]) == upperAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != none) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}
