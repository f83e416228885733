#include "scan/scheme_reader.h"

#include <cstring>

bool SchemeReader::takeLine(std::string_view line)
{
    const bool quoted = line.find('"') != std::string_view::npos;
    const bool reference = m_pending && !quoted;
    m_pending = quoted;
    return reference;
}

void SchemeReader::readSchemes(const FileNameList &schemes, std::vector<SchemeReference> &references,
                               std::vector<UnreadablePath> &unreadable)
{
    std::string line;
    for (std::size_t index = 0; index < schemes.size(); ++index) {
        TextFileReader file = m_fs.openTextFile(pathOf(schemes[index]));
        if (!file.isOpen()) {
            unreadable.push_back({pathOf(schemes[index]), file.error()});
            continue;
        }
        std::size_t lineNumber = 0;
        TextFileReader::Read result;
        while ((result = file.readLine(line)) == TextFileReader::Read::Line) {
            ++lineNumber;
            // A line is a C string: its text ends at the first zero byte.
            line.resize(std::strlen(line.c_str()));
            if (takeLine(line))
                references.push_back({line, index, lineNumber});
        }
        if (result == TextFileReader::Read::Error)
            unreadable.push_back({pathOf(schemes[index]), file.error()});
    }
}
