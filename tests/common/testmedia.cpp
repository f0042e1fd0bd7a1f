#include "testmedia.h"

#include <QDebug>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace TestMedia {

bool ffmpeg(const QStringList &args, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("ffmpeg"), QStringList{"-y", "-v", "error", "-nostdin"} + args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        qWarning() << "ffmpeg timed out:" << args;
        return false;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << "ffmpeg failed:" << args << p.readAll();
        return false;
    }
    return true;
}

bool makeClip(const QString &path, double seconds, int width, int height, const QString &rate, int sampleRate,
              int channels, const QStringList &extraArgs)
{
    QStringList args;
    const QString dur = QString::number(seconds);
    if (width > 0)
        args << "-f"
             << "lavfi"
             << "-i"
             << QStringLiteral("testsrc2=size=%1x%2:rate=%3:duration=%4")
                    .arg(width)
                    .arg(height)
                    .arg(rate, dur);
    if (sampleRate > 0)
        args << "-f"
             << "lavfi"
             << "-i"
             << QStringLiteral("sine=frequency=440:sample_rate=%1:duration=%2").arg(sampleRate).arg(dur);
    if (sampleRate > 0)
        args << "-ac" << QString::number(channels);
    if (width > 0)
        args << "-pix_fmt"
             << "yuv420p";
    args << extraArgs << "-t" << dur << path;
    return ffmpeg(args);
}

QJsonObject probe(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"),
            {"-v", "error", "-print_format", "json", "-show_format", "-show_streams", path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

QJsonObject stream(const QJsonObject &probe, const QString &type)
{
    const auto streams = probe.value(QStringLiteral("streams")).toArray();
    for (const auto &s : streams) {
        const QJsonObject o = s.toObject();
        if (o.value(QStringLiteral("codec_type")).toString() == type &&
            o.value(QStringLiteral("disposition")).toObject().value(QStringLiteral("attached_pic")).toInt() ==
                0)
            return o;
    }
    return {};
}

double durationSeconds(const QJsonObject &probe)
{
    return probe.value(QStringLiteral("format"))
        .toObject()
        .value(QStringLiteral("duration"))
        .toString()
        .toDouble();
}

bool decodesCleanly(const QString &path, QString *errors)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), {"-v", "error", "-nostdin", "-i", path, "-f", "null", "-"});
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    const QString err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    if (errors)
        *errors = err;
    return p.exitCode() == 0 && err.isEmpty();
}

int decodedFrames(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {"-v", "error", "-count_frames", "-select_streams", "v:0",
                                        "-show_entries", "stream=nb_read_frames", "-of", "csv=p=0", path});
    bool ok = false;
    const int n =
        p.waitForFinished(120000) ? QString::fromLatin1(p.readAllStandardOutput()).trimmed().toInt(&ok) : -1;
    return ok ? n : -1;
}

QList<double> soundOnsets(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {"-nostdin", "-i", path, "-vn", "-af", "silencedetect=n=-30dB:d=0.2", "-f", "null", "-"});
    QList<double> onsets;
    if (!p.waitForFinished(120000))
        return onsets;
    const QRegularExpression end(QStringLiteral("silence_end: ([0-9.]+)"));
    for (auto it = end.globalMatch(QString::fromUtf8(p.readAllStandardError())); it.hasNext();)
        onsets << it.next().captured(1).toDouble();
    return onsets;
}

QList<QPair<double, double>> blackStretches(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {"-nostdin", "-i", path, "-an", "-vf", "blackdetect=d=0.4", "-f", "null", "-"});
    QList<QPair<double, double>> stretches;
    if (!p.waitForFinished(120000))
        return stretches;
    const QRegularExpression black(QStringLiteral("black_start:([0-9.]+) black_end:([0-9.]+)"));
    for (auto it = black.globalMatch(QString::fromUtf8(p.readAllStandardError())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        stretches.append({m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return stretches;
}

QString tempDir()
{
    // REELMAX_KEEP_TEST_FILES keeps a run's media for a look afterwards.
    static QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("REELMAX_KEEP_TEST_FILES"));
    return dir.path();
}

} // namespace TestMedia
