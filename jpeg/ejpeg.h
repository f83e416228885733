#pragma once

#include "toolkit/core/exceptions.h"

// Every failure of the JPEG codec. The message is "JPEG error #" with the
// codec's own message number, which depends on the library release: compare
// it with the library's symbols (JERR_...), never with literal numbers.
class EJPEG : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
};

// The message for a codec message number, from string resource 65521
// ("JPEG error #%d"), loaded anew on each call.
std::string jpegErrorMessage(int messageCode);

// Raises EJPEG with jpegErrorMessage(messageCode).
[[noreturn]] void raiseJpegError(int messageCode);
