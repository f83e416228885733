#include "tests/support/refusing_file_system.h"

#include <cerrno>

FolderSearch RefusingFileSystem::searchFolder(const std::string &folder, const std::string &pattern) const
{
    searchedFolders.push_back(folder);
    return refusedFolders.contains(folder) ? FolderSearch{FolderSearch::Status::CannotOpen, EACCES, {}}
                                           : FileSystem::searchFolder(folder, pattern);
}

TextFileReader RefusingFileSystem::openTextFile(const std::string &path) const
{
    return refusedFiles.contains(path) ? TextFileReader::refused(EACCES) : FileSystem::openTextFile(path);
}
