#pragma once

#include "toolkit/core/stream.h"

#include <cstdint>
#include <string>

// How a TFileStream opens its file.
enum class TFileMode {
    OpenRead,      // an existing file, reading only
    OpenReadWrite, // an existing file, reading and writing
    Create,        // a new or emptied file, reading and writing
};

// A stream over a file of the local file system. The file is open for the
// stream's whole life and closed by its destructor.
class TFileStream : public TStream {
public:
    // Raises EFOpenError (OpenRead, OpenReadWrite) or EFCreateError (Create)
    // naming the file and the system's reason.
    TFileStream(const std::string &fileName, TFileMode mode);
    ~TFileStream() override;

    // Read and Write raise EReadError or EWriteError naming the file when the
    // system reports a failure (as opposed to the end of the file).
    std::int64_t Read(void *buffer, std::int64_t count) override;
    std::int64_t Write(const void *buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize64(std::int64_t size) override;

    const std::string &FileName() const { return m_fileName; }

private:
    std::string m_fileName;
    // The open file: a file descriptor on POSIX, a HANDLE on Windows.
    std::intptr_t m_file = -1;
};
