#include "cleanup/scheme_text.h"

#include <cstddef>

#include "toolkit/filesystem/file_operations.h"
#include "toolkit/filesystem/utf16_text.h"

bool isUtf16Text(std::string_view firstLine, bool &bigEndian)
{
    if (firstLine.starts_with("\xFF\xFE") || firstLine.starts_with("\xFE\xFF")) {
        bigEndian = firstLine[0] == '\xFE';
        return true;
    }
    // Without a mark, Latin letters give themselves away: every other byte
    // is zero, the odd ones in little-endian order, the even ones in big.
    std::size_t evenZeros = 0, oddZeros = 0;
    for (std::size_t i = 0; i < firstLine.size(); ++i)
        if (firstLine[i] == '\0')
            ++(i % 2 == 0 ? evenZeros : oddZeros);
    const std::size_t units = firstLine.size() / 2;
    bigEndian = evenZeros > oddZeros;
    const std::size_t zeros = bigEndian ? evenZeros : oddZeros, others = bigEndian ? oddZeros : evenZeros;
    return units > 0 && zeros * 2 >= units && others * 4 < zeros;
}

namespace {

std::u16string utf16Units(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    if (units.starts_with(u'\xFEFF'))
        units.erase(0, 1);
    return units;
}

} // namespace

std::vector<SchemeReference> utf16SchemeReferences(const ScanDetails &details, const FileSystem &fs)
{
    std::vector<SchemeReference> references;
    for (std::size_t index = 0; index < details.schemeFilePaths.size(); ++index) {
        const std::string &path = details.schemeFilePaths[index];
        std::string firstLine, bytes;
        bool bigEndian = false;
        // The first line through the scan's seam tells; only a UTF-16 file is then read whole.
        if (fs.openTextFile(path).readLine(firstLine) != TextFileReader::Read::Line
            || !isUtf16Text(firstLine, bigEndian) || FileOperations::native().readFile(path, bytes))
            continue;
        const std::string text = utf16ToUtf8(utf16Units(bytes, bigEndian));
        SchemeReader quoteState(fs);
        std::size_t lineNumber = 0;
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            std::string_view line(text.data() + start, end - start);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            line = line.substr(0, line.find('\0'));  // a line's text ends at its first zero, as the scan's does
            ++lineNumber;
            if (quoteState.takeLine(line))
                references.push_back({std::string(line), index, lineNumber});
            start = end + 1;
        }
    }
    return references;
}
