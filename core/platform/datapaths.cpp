#include "core/platform/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace DataPaths {

namespace {

QString programFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

bool holdsData(const QString &folder)
{
    return QFileInfo::exists(folder + QStringLiteral("/upc.xml")) ||
           QFileInfo(folder + QStringLiteral("/icons")).isDir();
}

} // namespace

QString installedDataFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/corvane-reelmax"));
}

bool isInstalled()
{
    const QString program = programFolder();
    return !holdsData(program) && QFileInfo(installedDataFolder(program)).isDir();
}

QString dataFolder()
{
    return isInstalled() ? installedDataFolder(programFolder()) : programFolder();
}

QString dataPath(const QString &relative)
{
    return dataFolder() + QLatin1Char('/') + relative;
}

QString modulePath(const QString &fileName)
{
    const QString program = programFolder();
    if (isInstalled())
        return QDir::cleanPath(program + QStringLiteral("/../lib/corvane-reelmax/") + fileName);
    return program + QLatin1Char('/') + fileName;
}

} // namespace DataPaths
