#include "scan/unreadable_path.h"

#include <system_error>

std::string UnreadablePath::reason() const
{
    return std::system_category().message(error);
}
