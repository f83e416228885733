#pragma once

#include <stdexcept>
#include <string>

// The exception classes of the toolkit. Everything the toolkit and the picture
// class raise derives from Exception, whose message says what failed.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string &message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A picture's data or operation is not acceptable to its graphic class.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// The graphic refuses an operation (for example resizing a JPEG picture).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// A stream could not deliver the bytes that were asked for.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A stream could not take the bytes that were written.
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// A file could not be opened or created; the message names the file.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// An object cannot take over the contents of an object of another class.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The silent exception: cancels an operation (a progress handler raises it)
// and is never shown to the user.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    using Exception::Exception;
};
