#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "toolkit/filesystem/read_only_file.h"

// Owns one text file open for reading and hands it out line by line, the way
// a text-mode read does on the platform the scheme files come from: a
// carriage return right before a line feed is dropped, so CR LF and LF files
// read alike. Lines have no length limit and may hold zero bytes; what a zero
// byte means is the caller's business. Move-only; closes in its destructor.
class TextFileReader {
public:
    enum class Read { Line, End, Error };

    // Opens `path` for reading. Never throws: isOpen() is false when the file
    // cannot be opened and error() holds the system's error code.
    explicit TextFileReader(const std::string &path);
    ~TextFileReader() noexcept;

    TextFileReader(TextFileReader &&other) noexcept;
    TextFileReader &operator=(TextFileReader &&other) noexcept;
    TextFileReader(const TextFileReader &) = delete;
    TextFileReader &operator=(const TextFileReader &) = delete;

    // A reader that is not open and reports `error`; lets a file-system seam
    // refuse a file without touching the disk.
    static TextFileReader refused(int error);

    bool isOpen() const { return m_file != ReadOnlyFile::invalidHandle; }
    int error() const { return m_error; }

    // Reads the next line into `line`, without its line feed. A last line
    // without a line feed is still a line. Returns End after the last line
    // and Error when the file cannot be read on (error() says why).
    Read readLine(std::string &line);

private:
    TextFileReader() = default;

    // Refills the buffer from the file; false at the end or on an error.
    bool refill();

    ReadOnlyFile::Handle m_file = ReadOnlyFile::invalidHandle;
    int m_error = 0;
    std::unique_ptr<char[]> m_buffer;  // bytes read but not yet handed out
    std::size_t m_capacity = 0;
    std::size_t m_begin = 0;        // first unread byte in m_buffer
    std::size_t m_end = 0;          // one past the last valid byte
    bool m_failed = false;
};
