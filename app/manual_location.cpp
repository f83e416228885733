#include "app/manual_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

std::string installedManualPath()
{
    const QFileInfo manual(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QStringLiteral("../share/doc/vorrel/manual/manual.html")));
    return manual.exists() ? QDir::cleanPath(manual.absoluteFilePath()).toLocal8Bit().toStdString() : std::string();
}
