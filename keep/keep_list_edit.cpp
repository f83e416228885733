#include "keep/keep_list_edit.h"

#include <algorithm>
#include <set>

#include "keep/keep_list.h"
#include "toolkit/filesystem/file_replacement.h"

namespace {

// The list's text and what it says, or why it cannot be edited. A list that
// cannot be understood is never rewritten: the user's lines would be lost
// or misread.
struct ListText {
    std::string content;
    KeepList list;
};

std::optional<ListText> readForEditing(const std::string &listPath, const FileOperations &operations, KeepEdit &edit)
{
    std::string content;
    FileStamp stamp;
    if (!operations.stat(listPath, stamp))
        if (const std::error_code error = operations.readFile(listPath, content)) {
            edit.error = listPath + ": cannot be read: " + error.message();
            return std::nullopt;
        }
    KeepList list(listPath, content);
    if (!list.error().empty()) {
        edit.error = list.error();
        return std::nullopt;
    }
    return ListText{std::move(content), std::move(list)};
}

void write(const std::string &listPath, const std::string &content, const FileOperations &operations, KeepEdit &edit)
{
    if (const std::error_code error = replaceFileText(listPath, content, operations))
        edit.error = listPath + ": cannot be written: " + error.message();
    else
        edit.written = true;
}

} // namespace

std::string escapedKeepPattern(std::string_view relativePath)
{
    std::size_t endBlanks = 0;
    while (endBlanks < relativePath.size() && (relativePath[relativePath.size() - 1 - endBlanks] == ' '
                                               || relativePath[relativePath.size() - 1 - endBlanks] == '\t'))
        ++endBlanks;
    std::string pattern;
    for (std::size_t i = 0; i < relativePath.size(); ++i) {
        const char c = relativePath[i];
        const bool special = c == '*' || c == '?' || c == '[' || c == ']' || c == '\\';
        if (special || (i == 0 && (c == '#' || c == '!')) || i >= relativePath.size() - endBlanks)
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

KeepEdit keepSounds(const std::string &listPath, const std::vector<std::string> &relativePaths,
                    const std::string &date, const FileOperations &operations)
{
    KeepEdit edit;
    std::optional<ListText> text = readForEditing(listPath, operations, edit);
    if (!text)
        return edit;
    const std::string lineEnd = text->content.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string added;
    std::set<std::string> patterns;
    for (const std::string &path : relativePaths) {
        if (const std::optional<KeepReason> reason = text->list.reasonToKeep(path))
            edit.notes.push_back(path + ": already " + keptText(text->list, *reason));
        else if (patterns.insert(escapedKeepPattern(path)).second)
            added += escapedKeepPattern(path) + lineEnd;
    }
    if (added.empty())
        return edit;
    if (!text->content.empty() && !text->content.ends_with('\n'))
        text->content += lineEnd;
    write(listPath, text->content + "# kept on " + date + lineEnd + added, operations, edit);
    return edit;
}

KeepEdit unkeepSounds(const std::string &listPath, const std::vector<std::string> &relativePaths,
                      const FileOperations &operations)
{
    KeepEdit edit;
    const std::optional<ListText> text = readForEditing(listPath, operations, edit);
    if (!text)
        return edit;
    std::set<std::size_t> dropped;
    for (const std::string &path : relativePaths) {
        const std::optional<KeepReason> reason = text->list.reasonToKeep(path);
        const std::vector<std::size_t> exact = text->list.exactLines(path);
        if (!reason)
            edit.notes.push_back(path + ": not kept");
        else if (std::find(exact.begin(), exact.end(), reason->lineNumber) == exact.end())
            edit.notes.push_back(path + ": " + keptText(text->list, *reason) + ", a wider pattern; not changed");
        else
            dropped.insert(exact.begin(), exact.end());
    }
    if (dropped.empty())
        return edit;
    std::string content;
    std::size_t number = 0;
    for (std::size_t start = 0; start < text->content.size();) {
        const std::size_t end = std::min(text->content.find('\n', start), text->content.size() - 1) + 1;
        if (!dropped.contains(++number))
            content += text->content.substr(start, end - start);
        start = end;
    }
    // An earlier, wider line may still keep a sound whose own line went.
    const KeepList after(listPath, content);
    for (const std::string &path : relativePaths)
        if (const std::optional<KeepReason> reason = after.reasonToKeep(path); reason && !text->list.exactLines(path).empty())
            edit.notes.push_back(path + ": still " + keptText(after, *reason));
    write(listPath, content, operations, edit);
    return edit;
}
