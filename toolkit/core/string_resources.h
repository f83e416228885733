#pragma once

#include <string>

// Numbers of the program's string resources.
namespace StringResource {
inline constexpr int cannotChangeJpegSize = 65520; // "Cannot change the size of a JPEG image"
inline constexpr int jpegError = 65521;            // "JPEG error #%d"
inline constexpr int jpegImageFile = 65522;        // "JPEG Image File"
} // namespace StringResource

// The text of a string resource, loaded anew on every call. An unknown number
// raises Exception naming it.
std::string LoadResString(int identifier);
