#include "jpeg/ejpeg.h"

#include "toolkit/core/format.h"
#include "toolkit/core/string_resources.h"

std::string jpegErrorMessage(int messageCode)
{
    return formatWithInteger(LoadResString(StringResource::jpegError), messageCode);
}

void raiseJpegError(int messageCode)
{
    throw EJPEG(jpegErrorMessage(messageCode));
}
