#include "toolkit/forms/shell_execute.h"

#include "toolkit/filesystem/file_system.h"
#include "toolkit/filesystem/paths.h"
#include "toolkit/forms/desktop_open.h"

#include <map>
#include <utility>

namespace {

ShellHandler &shellHandler()
{
    static ShellHandler handler;
    return handler;
}

std::map<std::string, std::string> &documentStandIns()
{
    static std::map<std::string, std::string> standIns;
    return standIns;
}

std::optional<std::string> optionalText(const char *text)
{
    if (!text)
        return std::nullopt;
    return std::string(text);
}

bool fileExists(const std::string &path)
{
    return FileSystem::native().fileSize(path).has_value();
}

} // namespace

bool ShellExecuteA(const TForm *owner, const char *verb, const char *file, const char *parameters,
                   const char *directory, int showCommand)
{
    ShellRequest request{owner, optionalText(verb), file ? file : "", optionalText(parameters),
                         optionalText(directory), showCommand};
    if (const ShellHandler &handler = shellHandler()) {
        handler(request);
        return true;
    }
    return openThroughDesktop(request);
}

void setDocumentStandIn(const std::string &documentName, const std::string &standIn)
{
    if (standIn.empty())
        documentStandIns().erase(documentName);
    else
        documentStandIns()[documentName] = standIn;
}

std::string documentToOpen(const std::string &file, const std::optional<std::string> &directory)
{
    const std::string path = directory && !directory->empty() && !isAbsolutePath(file)
        ? absolutePath(joinPath(*directory, file))
        : absolutePath(file);
    if (!fileExists(path)) {
        const auto standIn = documentStandIns().find(file);
        if (standIn != documentStandIns().end() && fileExists(standIn->second))
            return standIn->second;
    }
    return path;
}

ShellHandlerOverride::ShellHandlerOverride(ShellHandler handler)
    : m_previous(std::exchange(shellHandler(), std::move(handler)))
{
}

ShellHandlerOverride::~ShellHandlerOverride()
{
    shellHandler() = std::move(m_previous);
}
