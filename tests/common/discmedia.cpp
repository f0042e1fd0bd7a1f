#include "discmedia.h"

#include "testmedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace DiscMedia {

bool makeDvdMpeg(const QString &path, double seconds, bool pal)
{
    const QString dur = QString::number(seconds);
    const QString video = pal ? QStringLiteral("testsrc2=size=720x576:rate=25:duration=%1").arg(dur)
                              : QStringLiteral("testsrc2=size=720x480:rate=30000/1001:duration=%1").arg(dur);
    return TestMedia::ffmpeg({"-f", "lavfi", "-i", video, "-f", "lavfi", "-i",
                              QStringLiteral("sine=frequency=440:sample_rate=48000:duration=%1").arg(dur),
                              "-target", pal ? "pal-dvd" : "ntsc-dvd", "-b:v", "4000k", path});
}

DvdListing listDvd(const QString &path)
{
    DvdListing listing;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("lsdvd"), {path});
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        listing.output = QStringLiteral("lsdvd did not finish");
        return listing;
    }
    listing.output = QString::fromUtf8(p.readAll());
    static const QRegularExpression disc(QStringLiteral("^Disc Title: (.*)$"),
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression title(
        QStringLiteral("^Title: \\d+, Length: (\\d+):(\\d+):(\\d+)\\.(\\d+)"),
        QRegularExpression::MultilineOption);
    if (const auto m = disc.match(listing.output); m.hasMatch())
        listing.discTitle = m.captured(1).trimmed();
    auto it = title.globalMatch(listing.output);
    while (it.hasNext()) {
        const auto m = it.next();
        listing.titleSeconds << m.captured(1).toInt() * 3600 + m.captured(2).toInt() * 60 +
                                    m.captured(3).toInt() + m.captured(4).toDouble() / 1000.0;
    }
    listing.ok =
        p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && !listing.titleSeconds.isEmpty();
    return listing;
}

QStringList isoFiles(const QString &isoPath)
{
    QProcess p;
    p.start(QStringLiteral("isoinfo"), {"-f", "-i", isoPath});
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    if (p.exitCode() != 0)
        return {};
    QStringList files;
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        QString name = QString::fromUtf8(line).trimmed();
        name.remove(QRegularExpression(QStringLiteral(";1$")));
        if (!name.isEmpty())
            files << name.toUpper();
    }
    return files;
}

QString volumeId(const QString &isoPath)
{
    QProcess p;
    p.start(QStringLiteral("isoinfo"), {"-d", "-i", isoPath});
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    static const QRegularExpression re(QStringLiteral("^Volume id: ?(.*)$"),
                                       QRegularExpression::MultilineOption);
    const auto m = re.match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1) : QString();
}

QStringList processesMentioning(const QString &marker)
{
    QStringList found;
    const QString self = QString::number(QCoreApplication::applicationPid());
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList({}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : pids) {
        bool numeric = false;
        pid.toLongLong(&numeric);
        if (!numeric || pid == self)
            continue;
        QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QByteArray cmd = f.readAll();
        cmd.replace('\0', ' ');
        if (cmd.contains(marker.toUtf8()))
            found << pid + QLatin1Char(' ') + QString::fromUtf8(cmd).trimmed();
    }
    return found;
}

} // namespace DiscMedia
