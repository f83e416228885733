#include "keep/keep_pattern.h"

#include "toolkit/text/name_folding.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The line without the blanks at its end, except one that a '\' escapes.
std::string_view withoutEndBlanks(std::string_view line)
{
    std::size_t end = line.size();
    while (end > 0 && isBlank(line[end - 1])) {
        std::size_t backslashes = 0;
        while (backslashes < end - 1 && line[end - 2 - backslashes] == '\\')
            ++backslashes;
        if (backslashes % 2 == 1)
            break;
        --end;
    }
    return line.substr(0, end);
}

bool isAbsolute(std::string_view pattern)
{
    const bool driveLetter = pattern.size() >= 3 && ((pattern[0] | 0x20) >= 'a' && (pattern[0] | 0x20) <= 'z')
                             && pattern[1] == ':' && (pattern[2] == '/' || pattern[2] == '\\');
    return driveLetter || pattern.front() == '/';
}

// The length of the UTF-8 sequence `lead` begins (1 for a stray byte, which a
// checked list never holds).
std::size_t sequenceLength(unsigned char lead)
{
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

} // namespace

std::optional<KeepPattern> KeepPattern::parse(std::string_view line, std::string &why)
{
    line = withoutEndBlanks(line);
    if (line.empty() || line.front() == '#')
        return std::nullopt;
    KeepPattern pattern;
    pattern.m_text = std::string(line);
    if (line.front() == '!') {
        pattern.m_negated = true;
        line.remove_prefix(1);
    }
    if (line.empty()) {
        why = "a '!' with no pattern after it";
        return std::nullopt;
    }
    if (isAbsolute(line)) {
        why = "an absolute path; write the path from the list's folder";
        return std::nullopt;
    }
    if (line.back() == '/') {
        pattern.m_folder = true;
        while (!line.empty() && line.back() == '/')
            line.remove_suffix(1);
    }

    bool anchored = false;
    bool wildcards = false;
    std::string plainPath;  // the names without escapes, for exactPath
    std::string plainName;
    Name name;
    std::string text;
    std::size_t nameStart = 0;
    const auto endText = [&] {
        if (!text.empty())
            name.pieces.push_back({Piece::Kind::Text, foldedName(text)});
        text.clear();
    };
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : '/';
        if (c == '/') {
            endText();
            const std::string_view written = line.substr(nameStart, i - nameStart);
            if (written == "..") {
                why = "a '..' step; the list names sounds inside its own folder only";
                return std::nullopt;
            }
            name.anyFolders = written == "**";
            if (!written.empty() && written != ".") {
                pattern.m_names.push_back(std::move(name));
                plainPath += (plainPath.empty() ? "" : "/") + plainName;
            }
            name = Name();
            plainName.clear();
            nameStart = i + 1;
            anchored = anchored || i < line.size();
            continue;
        }
        if (c == '[' || c == ']') {
            why = "'[' and ']' are not supported; write \\[ or \\] for the character itself";
            return std::nullopt;
        }
        if (c == '\\') {
            if (++i == line.size()) {
                why = "a '\\' at the end of the line escapes nothing";
                return std::nullopt;
            }
            text += line[i];
        } else if (c == '*' || c == '?') {
            endText();
            wildcards = true;
            const Piece::Kind kind = c == '*' ? Piece::Kind::AnyRun : Piece::Kind::AnyOne;
            if (kind == Piece::Kind::AnyOne || name.pieces.empty() || name.pieces.back().kind != kind)
                name.pieces.push_back({kind, {}});
        } else {
            text += c;
        }
        if (c != '*' && c != '?')
            plainName += line[i];
    }
    if (!anchored)
        pattern.m_names.insert(pattern.m_names.begin(), Name{true, {}});
    if (!wildcards && !pattern.m_negated && !pattern.m_folder)
        pattern.m_exactPath = foldedName(plainPath);
    return pattern;
}

bool KeepPattern::matches(const std::vector<std::string> &foldedPath) const
{
    if (!m_folder)
        return matchesFrom(0, foldedPath, 0, foldedPath.size());
    // A folder: some folder on the way to the file.
    for (std::size_t end = 1; end < foldedPath.size(); ++end)
        if (matchesFrom(0, foldedPath, 0, end))
            return true;
    return false;
}

bool KeepPattern::matchesFrom(std::size_t name, const std::vector<std::string> &path, std::size_t at,
                              std::size_t end) const
{
    if (name == m_names.size())
        return at == end;
    if (m_names[name].anyFolders) {
        for (std::size_t skip = at; skip <= end; ++skip)
            if (matchesFrom(name + 1, path, skip, end))
                return true;
        return false;
    }
    return at < end && nameMatches(m_names[name].pieces, 0, path[at]) && matchesFrom(name + 1, path, at + 1, end);
}

bool KeepPattern::nameMatches(const std::vector<Piece> &pieces, std::size_t piece, std::string_view name)
{
    if (piece == pieces.size())
        return name.empty();
    const Piece &current = pieces[piece];
    switch (current.kind) {
    case Piece::Kind::Text:
        return name.starts_with(current.text) && nameMatches(pieces, piece + 1, name.substr(current.text.size()));
    case Piece::Kind::AnyOne:
        return !name.empty()
               && nameMatches(pieces, piece + 1, name.substr(std::min(name.size(), sequenceLength(name.front()))));
    case Piece::Kind::AnyRun:
        for (std::size_t at = 0;; at += sequenceLength(name[at])) {
            if (nameMatches(pieces, piece + 1, name.substr(std::min(at, name.size()))))
                return true;
            if (at >= name.size())
                return false;
        }
    }
    return false;
}
