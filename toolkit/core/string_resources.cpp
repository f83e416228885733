#include "toolkit/core/string_resources.h"

#include "toolkit/core/exceptions.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, const char *>, 3> stringTable{{
    {StringResource::cannotChangeJpegSize, "Cannot change the size of a JPEG image"},
    {StringResource::jpegError, "JPEG error #%d"},
    {StringResource::jpegImageFile, "JPEG Image File"},
}};

} // namespace

std::string LoadResString(int identifier)
{
    for (const auto &[number, text] : stringTable) {
        if (number == identifier)
            return text;
    }
    throw Exception("String resource " + std::to_string(identifier) + " does not exist");
}
