#include "app/manual_location.h"

#include "toolkit/filesystem/file_system.h"
#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/program_file.h"

namespace {

#ifdef _WIN32
const char manualBesideProgram[] = "manual\\manual.html";
#else
const char manualBesideProgram[] = "../share/doc/vorrel/manual/manual.html";
#endif

} // namespace

std::string installedManualPath()
{
    const std::string program = programFile();
    if (program.empty())
        return {};
    const std::string manual = lexicallyNormal(joinPath(parentPath(program), manualBesideProgram));
    return FileSystem::native().fileSize(manual) ? manual : std::string();
}
