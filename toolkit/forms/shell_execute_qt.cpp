#include "toolkit/forms/desktop_open.h"

#include "toolkit/forms/qt_native.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>


namespace {

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

} // namespace

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
