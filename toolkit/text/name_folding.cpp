#include "toolkit/text/name_folding.h"

#include <cstddef>
#include <vector>

#include "toolkit/filesystem/utf16_text.h"
#include "toolkit/text/unicode_services.h"

namespace {

// The length of the well-formed UTF-8 sequence at `text[at]` and its code
// point; 0 when none starts there (a stray, truncated or overlong sequence,
// a surrogate, or beyond U+10FFFF).
std::size_t sequenceAt(std::string_view text, std::size_t at, char32_t &c)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

void appendFolded(std::string &out, std::string_view wellFormed)
{
    if (!wellFormed.empty())
        out += utf16ToUtf8(UnicodeServices::foldAndCompose(utf8ToUtf16(wellFormed)));
}

} // namespace

std::string foldedName(std::string_view utf8)
{
    std::string folded;
    std::size_t runStart = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        if (const std::size_t length = sequenceAt(utf8, at, c)) {
            at += length;
            continue;
        }
        // A byte that is not UTF-8 ends the run before it and stays as it is.
        appendFolded(folded, utf8.substr(runStart, at - runStart));
        folded += utf8[at];
        runStart = ++at;
    }
    appendFolded(folded, utf8.substr(runStart));
    return folded;
}

std::string_view withoutOuterBlanks(std::string_view utf8)
{
    // Where each code point starts, with whether it is white space.
    struct Point {
        std::size_t start, end;
        bool blank;
    };
    std::vector<Point> points;
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = sequenceAt(utf8, at, c);
        points.push_back({at, at + (length == 0 ? 1 : length), length != 0 && UnicodeServices::isWhiteSpace(c)});
        at = points.back().end;
    }
    std::size_t first = 0, last = points.size();
    while (first < last && points[first].blank)
        ++first;
    while (last > first && points[last - 1].blank)
        --last;
    if (first == last)
        return {};
    return utf8.substr(points[first].start, points[last - 1].end - points[first].start);
}

std::string ansiCodePageToUtf8(std::string_view bytes)
{
    return utf16ToUtf8(UnicodeServices::ansiCodePageToUtf16(bytes));
}
