#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "scan/file_name_list.h"
#include "scan/unreadable_path.h"
#include "toolkit/filesystem/file_system.h"

// A name that a scheme refers to, with where it stands: the index of the
// scheme file in the scheme-file list and the line's number (from 1).
struct SchemeReference {
    std::string name;
    std::size_t schemeIndex = 0;
    std::size_t lineNumber = 0;
};

// Turns scheme files into referenced audio names. In a scheme, the first line
// without a double quote that follows one or more lines with a double quote
// names an audio file by its base name; every other line is ignored. The
// quote state carries over from one file to the next, so a file ending with a
// quoted line makes the next file's first plain line a reference. One reader
// serves one scan.
class SchemeReader {
public:
    explicit SchemeReader(const FileSystem &fs) : m_fs(fs) {}

    // Reads every file of `schemes`, in list order, appending its references
    // to `references`. Each line's text ends at its line feed (a carriage
    // return before it dropped) or at its first zero byte, whichever comes
    // first; leading and trailing blanks belong to the name. A file that
    // cannot be opened, or that fails part way, adds its path and why to
    // `unreadable` (the references read before the failure are kept).
    void readSchemes(const FileNameList &schemes, std::vector<SchemeReference> &references,
                     std::vector<UnreadablePath> &unreadable);

    // Takes one line through the quote state; true when the line is a
    // reference. `line` is the text as described above.
    bool takeLine(std::string_view line);

private:
    const FileSystem &m_fs;
    bool m_pending = false;
};
