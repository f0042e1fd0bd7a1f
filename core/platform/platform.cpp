#include "core/platform/platform.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <fontconfig/fontconfig.h>

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

namespace {
struct FcPatternDeleter {
    void operator()(FcPattern *p) const { FcPatternDestroy(p); }
};
struct FcObjectSetDeleter {
    void operator()(FcObjectSet *o) const { FcObjectSetDestroy(o); }
};
struct FcFontSetDeleter {
    void operator()(FcFontSet *s) const { FcFontSetDestroy(s); }
};

int styleRank(const QString &style)
{
    static const QStringList regular = {"Regular", "Book", "Normal", "Roman", "Medium"};
    const int i = regular.indexOf(style);
    return i < 0 ? 100 : i;
}
} // namespace

QString fontFilePath(const QString &family)
{
    if (family.trimmed().isEmpty() || !FcInit())
        return {};
    const QByteArray fam = family.toUtf8();
    std::unique_ptr<FcPattern, FcPatternDeleter> pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(fam.constData()));
    std::unique_ptr<FcObjectSet, FcObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, static_cast<char *>(nullptr)));
    std::unique_ptr<FcFontSet, FcFontSetDeleter> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts)
        return {};
    QString best;
    int bestRank = 1000;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8 *file = nullptr;
        FcChar8 *style = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch || !file)
            continue;
        const QString path = QString::fromUtf8(reinterpret_cast<const char *>(file));
        QString styleName;
        if (FcPatternGetString(fonts->fonts[i], FC_STYLE, 0, &style) == FcResultMatch && style)
            styleName = QString::fromUtf8(reinterpret_cast<const char *>(style));
        const int rank = styleRank(styleName);
        // Lowest rank wins; between equals, the first path in sorted order,
        // so the answer does not depend on the cache's order.
        if (rank < bestRank || (rank == bestRank && path < best)) {
            best = path;
            bestRank = rank;
        }
    }
    return best;
}

QString defaultFontFile()
{
    for (const char *family : {"DejaVu Sans", "Liberation Sans", "Noto Sans", "sans-serif"}) {
        const QString path = fontFilePath(QString::fromLatin1(family));
        if (!path.isEmpty() && QFileInfo::exists(path))
            return path;
    }
    return {};
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

} // namespace Platform
