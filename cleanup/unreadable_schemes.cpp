#include "cleanup/unreadable_schemes.h"

namespace {

void name(std::string &text, const char *kind, const UnreadablePath &unreadable)
{
    text += text.empty() ? "" : "; ";
    text += std::string("cannot read the scheme ") + kind + " " + unreadable.path + ": " + unreadable.reason();
}

} // namespace

std::string unreadableSchemesRefusal(const ScanDetails &details)
{
    std::string paths;
    for (const UnreadablePath &folder : details.unreadableSchemeFolders)
        name(paths, "folder", folder);
    for (const UnreadablePath &file : details.unreadableSchemeFiles)
        name(paths, "file", file);
    if (paths.empty())
        return {};
    return "nothing was moved: the sounds that unread schemes use are unknown, so they may look unused ("
           + paths + ")";
}
