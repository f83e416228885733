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
    int error = 0;                 // errno value when status is CannotOpen
    std::vector<FindData> entries; // in entry order (entry_order.h)

    bool found() const { return status == Status::Found; }
    bool opened() const { return status != Status::CannotOpen; }
};
