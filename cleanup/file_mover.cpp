#include "cleanup/file_mover.h"

std::string failureText(const std::string &what, const std::string &path, const std::error_code &error)
{
    return what + " " + path + ": " + error.message();
}

std::string moveFileSafely(const FileOperations &operations, const std::string &from, const std::string &to,
                           std::uintmax_t expectedSize, bool *targetExists)
{
    const auto exists = [&](const std::error_code &error) {
        if (targetExists)
            *targetExists = error == std::errc::file_exists;
        return error == std::errc::file_exists;
    };
    std::error_code error = operations.renameNoReplace(from, to);
    if (!error)
        return {};
    if (error != std::errc::cross_device_link) {
        exists(error);
        return failureText("cannot move " + from + " to", to, error);
    }

    error = operations.copyToNewFile(from, to);
    if (error) {
        // Never remove what was there before the copy began.
        if (!exists(error))
            operations.removeFile(to);
        return failureText("cannot copy " + from + " to", to, error);
    }
    FileStamp copied;
    error = operations.stat(to, copied);
    if (error || copied.size != expectedSize) {
        operations.removeFile(to);
        if (error)
            return failureText("cannot check the copy", to, error);
        return "the copy " + to + " has " + std::to_string(copied.size) + " bytes instead of "
               + std::to_string(expectedSize) + "; the original stays";
    }
    error = operations.removeFile(from);
    if (error) {
        operations.removeFile(to);
        return failureText("cannot remove the original after copying it:", from, error);
    }
    return {};
}
