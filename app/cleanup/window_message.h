#pragma once

#include <functional>
#include <optional>
#include <string>

// A message a clean-up window shows in a box of its own.
struct WindowMessage {
    enum class Kind { Information, Warning };
    Kind kind = Kind::Information;
    std::string text;
    std::string details;  // shown on request (one line per file); may be empty
};

// Hands a file to the desktop to open with what it associates with it;
// false when nothing could open it. (Not "OpenFile": <windows.h> declares
// a function of that name, and the Win32 views include both.)
using FileOpener = std::function<bool(const std::string &path)>;

// Opens `path` through `open`; the message to show when nothing could open it.
std::optional<WindowMessage> openThroughDesktop(const FileOpener &open, const std::string &path);
