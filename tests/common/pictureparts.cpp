#include "pictureparts.h"

#include <QProcess>
#include <QRegularExpression>

namespace PictureParts {

QByteArray runTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, args);
    if (!p.waitForFinished(300000) || p.exitCode() != 0)
        return {};
    return p.readAll();
}

int distinctPictures(const QString &path, double from, double length)
{
    const QString filters =
        QStringLiteral("trim=start=%1:duration=%2,mpdecimate=hi=64*8:lo=64*4:frac=0").arg(from).arg(length);
    const QByteArray out = runTool("ffmpeg", {"-v", "error", "-nostdin", "-i", path, "-an", "-vf", filters,
                                              "-fps_mode", "passthrough", "-f", "framemd5", "-"});
    int pictures = 0;
    for (const QByteArray &line : out.split('\n'))
        if (!line.startsWith('#') && !line.trimmed().isEmpty())
            ++pictures;
    return pictures;
}

double partPsnr(const QString &joined, double from, double length, const QString &alone)
{
    const QString graph = QStringLiteral("[0:v]trim=start=%1:duration=%2,setpts=PTS-STARTPTS[a];"
                                         "[1:v]setpts=PTS-STARTPTS[b];[a][b]psnr")
                              .arg(from)
                              .arg(length);
    const QByteArray log = runTool("ffmpeg", {"-v", "info", "-nostdin", "-i", joined, "-i", alone,
                                              "-filter_complex", graph, "-f", "null", "-"});
    const QRegularExpressionMatch m =
        QRegularExpression("PSNR y:[\\d.inf]+ u:[\\d.inf]+ v:[\\d.inf]+ average:([\\d.]+|inf)")
            .match(QString::fromUtf8(log));
    if (!m.hasMatch())
        return -1.0;
    return m.captured(1) == "inf" ? 100.0 : m.captured(1).toDouble();
}

} // namespace PictureParts
