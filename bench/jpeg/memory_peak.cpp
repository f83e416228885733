#include "bench/jpeg/memory_peak.h"

#include <fstream>
#include <string>

namespace {

long statusField(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return 0;
}

} // namespace

long residentKiB()
{
    return statusField("VmRSS");
}

long peakResidentKiB()
{
    return statusField("VmHWM");
}

bool resetPeakResident()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}
