#include "core/platform/platform.h"

#include "engine/av/fontlookup.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <sys/stat.h>

#include <memory>

namespace Platform {

bool needsElevation()
{
    return false;
}

bool windowsVersion(QString &name, int &code)
{
    name = QStringLiteral("unknown Windows version");
    code = 0;
    return true;
}

QStringList opticalDrivesFromInfo(const QString &infoPath)
{
    // The kernel lists its CD/DVD drives as "drive name:<tab>sr1<tab>sr0",
    // newest first; report them in device order.
    QStringList drives;
    QFile f(infoPath);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return drives;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.startsWith(QLatin1String("drive name:")))
            continue;
        const QStringList names = line.mid(int(qstrlen("drive name:")))
                                      .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        for (auto it = names.crbegin(); it != names.crend(); ++it)
            drives << QStringLiteral("/dev/") + *it;
        break;
    }
    return drives;
}

QStringList opticalDrives()
{
    return opticalDrivesFromInfo(QStringLiteral("/proc/sys/dev/cdrom/info"));
}

QString opticalDriveModelFrom(const QString &sysBlockRoot, const QString &device)
{
    const QString name = QFileInfo(device).fileName();
    if (name.isEmpty())
        return {};
    auto readWord = [&](const char *what) {
        QFile f(sysBlockRoot + QLatin1Char('/') + name + QStringLiteral("/device/") + QLatin1String(what));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return QString();
        return QString::fromUtf8(f.read(256)).simplified();
    };
    return QStringList{readWord("vendor"), readWord("model")}.join(QLatin1Char(' ')).trimmed();
}

QString opticalDriveModel(const QString &device)
{
    return opticalDriveModelFrom(QStringLiteral("/sys/block"), device);
}

bool isItunesInstalled()
{
    return false;
}

QString fontFilePath(const QString &family)
{
    return QString::fromStdString(FontLookup::regularFaceFile(family.trimmed().toStdString()));
}

QString defaultFontFile()
{
    return QString::fromStdString(FontLookup::defaultFontFile());
}

bool shutdownComputer()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    QDBusInterface logind(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                          QStringLiteral("org.freedesktop.login1.Manager"), bus);
    if (!logind.isValid())
        return false;
    QDBusReply<QString> can = logind.call(QStringLiteral("CanPowerOff"));
    if (!can.isValid() || (can.value() != QLatin1String("yes") && can.value() != QLatin1String("challenge")))
        return false;
    QDBusReply<void> reply = logind.call(QStringLiteral("PowerOff"), true);
    return reply.isValid();
}

bool giveCreationPermissions(const QString &path)
{
    // The mask is read, not set and restored, so that no file another thread
    // creates meanwhile gets a wrong mode.
    mode_t mask = 022;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = status.readAll().split('\n');
        for (const QByteArray &line : lines) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    mask = mode_t(value);
                break;
            }
        }
    }
    return ::chmod(QFile::encodeName(path).constData(), 0666 & ~mask) == 0;
}

} // namespace Platform
