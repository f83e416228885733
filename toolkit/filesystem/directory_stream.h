#pragma once

#include <string>

#include <dirent.h>

// Owns one open folder listing (opendir/readdir/closedir). Move-only; the
// destructor closes the listing on every way out.
class DirectoryStream {
public:
    // Opens `path` for listing. Never throws for a folder that cannot be
    // opened: isOpen() is then false and error() holds the errno value.
    explicit DirectoryStream(const std::string &path);
    ~DirectoryStream() noexcept;

    DirectoryStream(DirectoryStream &&other) noexcept;
    DirectoryStream &operator=(DirectoryStream &&other) noexcept;
    DirectoryStream(const DirectoryStream &) = delete;
    DirectoryStream &operator=(const DirectoryStream &) = delete;

    bool isOpen() const { return m_dir != nullptr; }
    int error() const { return m_error; }

    // The next raw entry, "." and ".." included, or nullptr at the end or on
    // a read error (error() then tells which: 0 at the end). The entry stays
    // valid until the next call.
    const dirent *next();

    // The listing's descriptor, for looking entries up relative to it.
    int descriptor() const;

private:
    DIR *m_dir = nullptr;
    int m_error = 0;
};
