#include "toolkit/filesystem/folder_search.h"

#include <algorithm>

#include "toolkit/filesystem/entry_order.h"
#include "toolkit/filesystem/file_attributes.h"
#include "toolkit/filesystem/wildcard_match.h"

FolderSearch startSearch(const std::string &pattern)
{
    FolderSearch search;
    for (const char *dot : {".", ".."}) {
        if (matchesWildcard(pattern, dot))
            search.entries.push_back({dot, FILE_ATTRIBUTE_DIRECTORY});
    }
    return search;
}

void finishSearch(FolderSearch &search)
{
    std::sort(search.entries.begin(), search.entries.end(),
              [](const FindData &left, const FindData &right) { return entryNameLess(left.cFileName, right.cFileName); });
    search.status = search.entries.empty() ? FolderSearch::Status::NothingFound : FolderSearch::Status::Found;
}
