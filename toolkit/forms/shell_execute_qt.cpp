#include "toolkit/forms/shell_execute.h"

#include "toolkit/forms/qt_native.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <utility>

#include <map>

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

// An address names its scheme before a colon ("mailto:", "https:"); a
// single letter before the colon would be a drive, not a scheme.
bool isAddress(const QString &file)
{
    const QUrl url(file, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}

// Web links name this browser program with the address as its parameter.
// Here the desktop's own web browser stands in for it: the program itself
// does not exist on this platform.
bool isWebBrowserProgram(const QString &file)
{
    return file.compare(QStringLiteral("iexplore.exe"), Qt::CaseInsensitive) == 0;
}

// Only web addresses go to the browser: handing on any other scheme
// ("file:", ...) would open local files with whatever the desktop chooses.
bool isWebAddress(const QUrl &address)
{
    return address.isValid() && (address.scheme() == QStringLiteral("http") || address.scheme() == QStringLiteral("https"));
}

QString resolvedPath(const QString &file, const std::optional<std::string> &directory)
{
    const QString folder = directory && !directory->empty()
        ? qtText(*directory)
        : QDir::currentPath();
    return QFileInfo(QDir(folder), file).absoluteFilePath();
}

bool openThroughDesktop(const ShellRequest &request)
{
    if (request.verb && !request.verb->empty() && *request.verb != "open")
        return false;
    const QString file = qtText(request.file);
    if (isWebBrowserProgram(file)) {
        const QUrl address(qtText(request.parameters.value_or(std::string())).trimmed(), QUrl::StrictMode);
        return isWebAddress(address) && QDesktopServices::openUrl(address);
    }
    if (request.parameters && !request.parameters->empty()) {
        const QString folder = request.directory ? qtText(*request.directory) : QString();
        return QProcess::startDetached(file, QProcess::splitCommand(qtText(*request.parameters)),
                                       folder);
    }
    const QUrl target = isAddress(file) ? QUrl(file)
                                        : QUrl::fromLocalFile(qtText(
                                              documentToOpen(request.file, request.directory)));
    return QDesktopServices::openUrl(target);
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
    const QString path = resolvedPath(qtText(file), directory);
    if (!QFileInfo::exists(path)) {
        const auto standIn = documentStandIns().find(file);
        if (standIn != documentStandIns().end() && QFileInfo::exists(qtText(standIn->second)))
            return standIn->second;
    }
    return path.toStdString();
}

ShellHandlerOverride::ShellHandlerOverride(ShellHandler handler)
    : m_previous(std::exchange(shellHandler(), std::move(handler)))
{
}

ShellHandlerOverride::~ShellHandlerOverride()
{
    shellHandler() = std::move(m_previous);
}
