#include "app/cleanup/window_message.h"

std::optional<WindowMessage> openThroughDesktop(const FileOpener &open, const std::string &path)
{
    if (open(path))
        return std::nullopt;
    return WindowMessage{WindowMessage::Kind::Warning,
                         "Nothing could open \"" + path
                             + "\". The file may be gone, or no program on this computer is set to open such files.",
                         {}};
}
