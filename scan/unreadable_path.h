#pragma once

#include <string>

// A folder or file that a scan could not read, and the system's error code
// that says why (errno on POSIX, GetLastError() on Windows).
struct UnreadablePath {
    std::string path;
    int error = 0;

    // The reason in the system's own words, for messages.
    std::string reason() const;
};
