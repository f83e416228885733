#include "cleanup/file_mover.h"

std::string failureText(const std::string &what, const std::string &path, const std::error_code &error)
{
    return what + " " + path + ": " + error.message();
}

std::string moveAcrossFileSystems(const FileOperations &operations, const std::string &from, const std::string &to,
                                  const std::string &temporary, const FileStamp &expected, bool *targetExists)
{
    // The copy removes what it created itself when it fails.
    std::error_code error = operations.copyToNewFile(from, temporary);
    if (error)
        return failureText("cannot copy " + from + " to", temporary, error);
    FileStamp copied;
    error = operations.stat(temporary, copied);
    if (error || copied.kind != expected.kind || copied.size != expected.size) {
        operations.removeFile(temporary);
        if (error)
            return failureText("cannot check the copy", temporary, error);
        return "the copy " + temporary + " has " + std::to_string(copied.size) + " bytes instead of "
               + std::to_string(expected.size) + "; the original stays";
    }
    error = operations.renameNoReplace(temporary, to);
    if (error) {
        operations.removeFile(temporary);
        if (targetExists)
            *targetExists = error == std::errc::file_exists;
        return failureText("cannot move the copy " + temporary + " to", to, error);
    }
    error = operations.removeFile(from);
    if (error) {
        operations.removeFile(to);  // the copy put there just now, never replacing anything
        return failureText("cannot remove the original after copying it:", from, error);
    }
    return {};
}

bool holdTheSame(const FileOperations &operations, const std::string &first, const std::string &second)
{
    FileStamp a, b;
    if (operations.stat(first, a) || operations.stat(second, b) || a.kind != b.kind || a.size != b.size)
        return false;
    std::string textA, textB;
    if (a.kind == EntryKind::Link)
        return !operations.readLink(first, textA) && !operations.readLink(second, textB) && textA == textB;
    return a.kind == EntryKind::File && !operations.readFile(first, textA, a.size)
           && !operations.readFile(second, textB, b.size) && textA == textB;
}
