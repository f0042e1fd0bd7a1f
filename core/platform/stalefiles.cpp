#include "core/platform/stalefiles.h"

#include "core/config/videouserconfig.h"
#include "core/platform/corelog.h"
#include "core/platform/workfolder.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace StaleFiles {

namespace {

// Somebody holds a lock on the file: its writer is alive.
bool locked(const QString &file)
{
    const int fd =
        ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

// Some process has the path (or something under it) open, or works in it.
bool openByAnyProcess(const QString &path, bool folder)
{
    const QString prefix = path + QLatin1Char('/');
    auto matches = [&](const QString &target) {
        return target == path || (folder && target.startsWith(prefix));
    };
    QDirIterator processes(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (processes.hasNext()) {
        processes.next();
        bool isPid = false;
        processes.fileName().toInt(&isPid);
        if (!isPid)
            continue;
        const QString proc = processes.filePath();
        if (folder && matches(QFileInfo(proc + QStringLiteral("/cwd")).symLinkTarget()))
            return true;
        QDirIterator fds(proc + QStringLiteral("/fd"), QDir::Files | QDir::System | QDir::NoDotAndDotDot);
        while (fds.hasNext()) {
            fds.next();
            if (matches(fds.fileInfo().symLinkTarget()))
                return true;
        }
    }
    return false;
}

// The newest change of the path and, for a folder, of what lies in it.
QDateTime lastTouched(const QFileInfo &info)
{
    QDateTime newest = info.lastModified();
    if (!info.isDir())
        return newest;
    QDirIterator it(info.filePath(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        newest = std::max(newest, it.fileInfo().lastModified());
    }
    return newest;
}

} // namespace

bool isPartFileName(const QString &fileName)
{
    // ".<name>.<six letters or digits>.part", the engine's temporary output.
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.[A-Za-z0-9]{6}\\.part$"));
    return pattern.match(fileName).hasMatch();
}

bool isWorkFolderName(const QString &fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^%1[A-Za-z0-9]{6}$")
            .arg(QRegularExpression::escape(QLatin1String(WorkFolder::kPrefix))));
    return pattern.match(fileName).hasMatch();
}

bool inUse(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return locked(QDir(path).filePath(QLatin1String(WorkFolder::kLockName))) ||
               openByAnyProcess(info.absoluteFilePath(), true);
    return locked(path) || openByAnyProcess(info.absoluteFilePath(), false);
}

QStringList sweep(const QStringList &folders, int minimumAgeSeconds)
{
    QStringList removed;
    QSet<QString> seen;
    const QDateTime cutoff = QDateTime::currentDateTime().addSecs(-minimumAgeSeconds);
    for (const QString &folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || seen.contains(canonical))
            continue;
        seen.insert(canonical);
        const QFileInfoList entries = QDir(canonical).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                                    QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : entries) {
            const bool part = entry.isFile() && isPartFileName(entry.fileName());
            const bool work = entry.isDir() && isWorkFolderName(entry.fileName());
            if ((!part && !work) || entry.isSymLink())
                continue;
            struct stat st {};
            if (::lstat(QFile::encodeName(entry.filePath()).constData(), &st) != 0 || st.st_uid != ::getuid())
                continue;
            if (lastTouched(entry) > cutoff || inUse(entry.filePath()))
                continue;
            const bool ok =
                work ? QDir(entry.filePath()).removeRecursively() : QFile::remove(entry.filePath());
            if (ok) {
                qCDebug(lcJobs, "removed the leftover [%s]", qPrintable(entry.filePath()));
                removed << entry.filePath();
            }
        }
    }
    return removed;
}

QStringList knownFolders(const VideoUserConfig &config, const QStringList &extra)
{
    QStringList folders = extra;
    // Read only: looking for leftovers never changes the settings.
    folders << config.convertOutputDirectory() << config.storedVideoDownloadDirectory()
            << config.defaultSnapshotDirectory() << config.tempDirectory() << QDir::tempPath();
    return folders;
}

} // namespace StaleFiles
