#include "cleanup/quarantine_names.h"

#include <atomic>
#include <chrono>
#include <random>

#include "cleanup/quarantine_manifest.h"
#include "toolkit/filesystem/paths.h"

namespace {

constexpr std::string_view temporaryPrefix = ".vorrel-";
constexpr std::string_view temporarySuffix = ".part";

bool isPlainName(std::string_view name)
{
    for (const char c : name)
        if (isPathSeparator(c) || (c == ':' && isPathSeparator('\\')))
            return false;
    return !name.empty() && name != "." && name != "..";
}

} // namespace

std::string newRunName()
{
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::random_device device;
    return std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) + '-'
           + std::to_string(device() & 0xFFFFFF) + '-' + std::to_string(counter++);
}

std::string temporaryName(const std::string &run, std::size_t number)
{
    return std::string(temporaryPrefix) + run + '-' + std::to_string(number) + std::string(temporarySuffix);
}

std::string spareName(const std::string &run, int number)
{
    return std::string(QuarantineManifest::fileName) + ".new-" + run + '-' + std::to_string(number);
}

bool isTemporaryName(std::string_view name)
{
    return isPlainName(name) && name.size() > temporaryPrefix.size() + temporarySuffix.size()
           && name.starts_with(temporaryPrefix) && name.ends_with(temporarySuffix);
}

bool isSpareName(std::string_view name)
{
    const std::string prefix = std::string(QuarantineManifest::fileName) + ".new-";
    return isPlainName(name) && name.size() > prefix.size() && name.starts_with(prefix);
}

bool isPlainRelativePath(std::string_view path)
{
    if (path.empty() || isAbsolutePath(path) || isPathSeparator(path.back()))
        return false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i)
        if (i == path.size() || isPathSeparator(path[i])) {
            if (!isPlainName(path.substr(start, i - start)))
                return false;
            start = i + 1;
        }
    return true;
}
