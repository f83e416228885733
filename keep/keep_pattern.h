#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One pattern of the keep list, ready to match sounds' paths.
//
// A path here is relative to the list's folder, split at '/' into its folder
// names and file name, each folded with foldedName. `*` matches any run
// of characters within one name, `?` one character, a name that is just `**`
// any number of folders; `\` makes the next character plain. A pattern
// without '/' matches a file name at any depth, one with '/' the whole path
// from the list's folder; a trailing '/' names a folder and everything under
// it; a leading '!' takes what it matches back out.
class KeepPattern {
public:
    // Reads one line of the list, without its line end. Returns nothing for
    // a line that holds no pattern (blank, or a comment), and nothing with
    // `why` set for a line that cannot be understood: an absolute path, a
    // ".." step, '[' or ']', a '\' that escapes nothing, or a '!' alone.
    static std::optional<KeepPattern> parse(std::string_view line, std::string &why);

    bool matches(const std::vector<std::string> &foldedPath) const;
    bool negated() const { return m_negated; }
    // The line as written, without the blanks cut from its end.
    const std::string &text() const { return m_text; }
    // For a pattern without wildcards that keeps one file, that file's path
    // (folded, '/' between names); else nothing.
    const std::optional<std::string> &exactPath() const { return m_exactPath; }

private:
    struct Piece {
        enum class Kind { Text, AnyRun, AnyOne } kind;
        std::string text;  // folded; only for Text
    };
    struct Name {
        bool anyFolders = false;  // `**`: zero or more whole names
        std::vector<Piece> pieces;
    };

    bool matchesFrom(std::size_t name, const std::vector<std::string> &path, std::size_t at, std::size_t end) const;
    static bool nameMatches(const std::vector<Piece> &pieces, std::size_t piece, std::string_view name);

    std::string m_text;
    std::vector<Name> m_names;
    bool m_negated = false;
    bool m_folder = false;
    std::optional<std::string> m_exactPath;
};
