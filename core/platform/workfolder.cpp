#include "core/platform/workfolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

WorkFolder::WorkFolder(const QString &parent)
{
    const QString base = parent.isEmpty() ? QDir::tempPath() : parent;
    if (!QDir().mkpath(base)) {
        m_error = QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(base));
        return;
    }
    QByteArray templ =
        QFile::encodeName(QDir(base).filePath(QLatin1String(kPrefix) + QLatin1String("XXXXXX")));
    if (!::mkdtemp(templ.data())) {
        m_error = QStringLiteral("cannot create a work folder in %1: %2")
                      .arg(QDir::toNativeSeparators(base), QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_path = QFile::decodeName(templ);
    const QByteArray lock = QFile::encodeName(QDir(m_path).filePath(QLatin1String(kLockName)));
    m_lockFd = ::open(lock.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd >= 0)
        ::flock(m_lockFd, LOCK_EX | LOCK_NB);
}

WorkFolder::~WorkFolder()
{
    if (m_path.isEmpty())
        return;
    QDir(m_path).removeRecursively();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}
