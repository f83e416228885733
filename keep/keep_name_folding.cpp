#include "keep/keep_name_folding.h"

#include "toolkit/core/ascii_case.h"

std::string keepFoldedName(std::string_view utf8)
{
    std::string folded(utf8);
    for (char &c : folded)
        c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
    return folded;
}
