#include "keep/keep_list.h"

#include <algorithm>
#include <filesystem>

#include "toolkit/text/name_folding.h"
#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/utf8_text.h"

namespace {

std::vector<std::string> foldedNames(std::string_view relativePath)
{
    std::vector<std::string> names;
    for (std::size_t start = 0;;) {
        const std::size_t slash = relativePath.find('/', start);
        names.push_back(foldedName(relativePath.substr(start, slash - start)));
        if (slash == std::string_view::npos)
            return names;
        start = slash + 1;
    }
}

// Text in either UTF-16 form: a byte-order mark, or a zero byte beside an
// ASCII one at the start.
bool looksLikeUtf16(std::string_view content)
{
    if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF"))
        return true;
    return content.size() >= 2 && ((content[0] == '\0') != (content[1] == '\0'));
}

} // namespace

KeepList::KeepList(std::string path, std::string_view content)
    : m_path(std::move(path)), m_folder(utf8FromPath(pathFromUtf8(m_path).parent_path()))
{
    if (looksLikeUtf16(content)) {
        m_error = m_path + ", line 1: UTF-16 text; save the list as UTF-8";
        return;
    }
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    std::size_t number = 0;
    for (std::size_t start = 0; start < content.size();) {
        std::size_t end = content.find('\n', start);
        end = end == std::string_view::npos ? content.size() : end;
        std::string_view line = content.substr(start, end - start);
        start = end + 1;
        ++number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        std::string why;
        if (line.find('\0') != std::string_view::npos)
            why = "a NUL byte";
        else if (!isValidUtf8(line))
            why = "bytes that are not UTF-8; save the list as UTF-8";
        else if (std::optional<KeepPattern> pattern = KeepPattern::parse(line, why))
            m_lines.push_back({number, std::move(*pattern)});
        if (!why.empty()) {
            m_error = m_path + ", line " + std::to_string(number) + ": " + why;
            m_lines.clear();
            return;
        }
    }
}

KeepList KeepList::unreadable(std::string path, const std::string &why)
{
    KeepList list(std::move(path), {});
    list.m_error = list.m_path + ": " + why;
    return list;
}

std::optional<std::string> KeepList::relativePath(const std::string &absolutePath) const
{
    const std::filesystem::path relative =
        pathFromUtf8(absolutePath).lexically_normal().lexically_relative(pathFromUtf8(m_folder).lexically_normal());
    if (relative.empty() || *relative.begin() == ".." || *relative.begin() == ".")
        return std::nullopt;
    return genericUtf8FromPath(relative);
}

std::optional<KeepReason> KeepList::reasonToKeep(std::string_view relativePath) const
{
    const std::vector<std::string> names = foldedNames(relativePath);
    const auto last = std::find_if(m_lines.rbegin(), m_lines.rend(),
                                   [&](const Line &line) { return line.pattern.matches(names); });
    if (last == m_lines.rend() || last->pattern.negated())
        return std::nullopt;
    return KeepReason{last->number, last->pattern.text()};
}

std::vector<std::size_t> KeepList::exactLines(std::string_view relativePath) const
{
    const std::string folded = foldedName(relativePath);
    std::vector<std::size_t> numbers;
    for (const Line &line : m_lines)
        if (line.pattern.exactPath() == folded)
            numbers.push_back(line.number);
    return numbers;
}

std::string keptText(const KeepList &list, const KeepReason &reason)
{
    return "kept by " + list.path() + ", line " + std::to_string(reason.lineNumber) + " (" + reason.pattern + ")";
}
