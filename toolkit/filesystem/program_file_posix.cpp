#include "toolkit/filesystem/program_file.h"

#include <unistd.h>

#include <vector>

std::string programFile()
{
    // The link names the file the kernel started, whatever argv[0] says.
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}
