#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One entry yielded by a folder search: its name (no folder) and its
// attribute word (see file_attributes.h).
struct FindData {
    std::string cFileName;
    std::uint32_t dwFileAttributes = 0;
};

// The outcome of searching one folder for a pattern.
struct FolderSearch {
    enum class Status {
        Found,          // at least one entry matched
        NothingFound,   // the folder was read and nothing matched
        CannotOpen      // the folder could not be entered or read to its end
    };

    Status status = Status::NothingFound;
    int error = 0;                 // the system's error code when status is CannotOpen (errno, GetLastError())
    std::vector<FindData> entries; // in entry order (entry_order.h)

    bool found() const { return status == Status::Found; }
    bool opened() const { return status != Status::CannotOpen; }
};

// The parts of a search that both platforms share. A search starts with
// startSearch(), which adds "." and ".." (as folders) when `pattern` matches
// them, since not every file system lists them; the platform then adds the
// other matching entries and calls finishSearch(), which puts them in entry
// order and sets the status.
FolderSearch startSearch(const std::string &pattern);
void finishSearch(FolderSearch &search);
