#include "scan/scan_report.h"

std::string ScanReport::unreadableSchemeFolder(const std::string &path)
{
    return "Warning: cannot read the scheme folder \"" + path + "\"; the sounds its schemes use were not counted.";
}

std::string ScanReport::unreadableSchemeFile(const std::string &path)
{
    return "Warning: cannot read the scheme file \"" + path + "\"; the sounds it uses were not counted.";
}
