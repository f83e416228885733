#pragma once

#include <cstdint>

// Where a Seek offset counts from.
enum class TSeekOrigin { Beginning, Current, End };

// A byte stream with a position. Read and Write move as many bytes as they can
// and say how many; ReadBuffer and WriteBuffer insist on all of them.
// Positions may lie beyond the end: reading there yields nothing, writing there
// fills the gap with zero bytes.
class TStream {
public:
    TStream() = default;
    TStream(const TStream &) = delete;
    TStream &operator=(const TStream &) = delete;
    virtual ~TStream() = default;

    // Copies up to count bytes from the current position into buffer and
    // advances the position by that many. Returns the bytes copied: 0 at the
    // end, and 0 for a count of 0 or less.
    virtual std::int64_t Read(void *buffer, std::int64_t count) = 0;
    // Writes up to count bytes at the current position and advances by that
    // many. Returns the bytes written (0 for a count of 0 or less).
    virtual std::int64_t Write(const void *buffer, std::int64_t count) = 0;
    // Moves the position and returns the new one. A position before the start
    // raises EReadError and leaves the position alone.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    // Makes the stream exactly size bytes long; bytes added are zero. A
    // position beyond the new end moves to the end.
    virtual void SetSize64(std::int64_t size) = 0;

    // Reads exactly count bytes or raises EReadError "Stream read error"
    // (the bytes that did arrive are in buffer and the position moved past them).
    void ReadBuffer(void *buffer, std::int64_t count);
    // Writes exactly count bytes or raises EWriteError "Stream write error".
    void WriteBuffer(const void *buffer, std::int64_t count);

    std::int64_t GetPosition();
    void SetPosition(std::int64_t position);
    virtual std::int64_t GetSize();
};
