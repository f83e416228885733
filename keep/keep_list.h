#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keep/keep_pattern.h"

// The line of the keep list that keeps a sound.
struct KeepReason {
    std::size_t lineNumber = 0;
    std::string pattern;  // as written
};

// A keep list read from its text: the patterns of its lines, or why it
// cannot be understood. A list with an error keeps nothing and must stop
// every move: a move made with half a list could move what the rest keeps.
class KeepList {
public:
    static constexpr const char *fileName = "vorrel-keep.txt";

    // Reads `content`, the list's bytes. `path` is the list's absolute path
    // (UTF-8, the platform's form): messages name it, and its folder is
    // where relative paths start. Accepts a UTF-8 byte-order mark and CR LF
    // line ends; refuses UTF-16 text, a NUL byte, bytes that are not UTF-8
    // and every line KeepPattern refuses, naming the first such line.
    KeepList(std::string path, std::string_view content);
    // A list that could not be read: `why` says so.
    static KeepList unreadable(std::string path, const std::string &why);

    const std::string &path() const { return m_path; }
    const std::string &folder() const { return m_folder; }
    // "PATH, line N: why" (or "PATH: why" for the whole file); empty when the
    // list can be used.
    const std::string &error() const { return m_error; }

    // The path of the sound `absolutePath` from the list's folder, with '/'
    // between names; nothing for a sound outside that folder.
    std::optional<std::string> relativePath(const std::string &absolutePath) const;
    // The line that keeps the sound at `relativePath`: the last one that
    // matches it, unless that one takes it back out with '!'.
    std::optional<KeepReason> reasonToKeep(std::string_view relativePath) const;
    // The numbers of the lines that name exactly the sound at `relativePath`.
    std::vector<std::size_t> exactLines(std::string_view relativePath) const;

private:
    struct Line {
        std::size_t number;
        KeepPattern pattern;
    };

    std::string m_path;
    std::string m_folder;
    std::string m_error;
    std::vector<Line> m_lines;
};

// "kept by PATH, line N (PATTERN)": why a sound stays, as reports say it.
std::string keptText(const KeepList &list, const KeepReason &reason);
