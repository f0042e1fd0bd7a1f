#include "hardmedia.h"

#include "testmedia.h"

#include <QDebug>
#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace HardMedia {

namespace {

QStringList video(double seconds, const QString &size = QStringLiteral("320x240"), int fps = 25)
{
    return {"-f", "lavfi", "-i",
            QStringLiteral("testsrc2=size=%1:rate=%2:duration=%3").arg(size).arg(fps).arg(seconds)};
}

QStringList sound(double seconds, int rate = 44100)
{
    return {"-f", "lavfi", "-i",
            QStringLiteral("sine=frequency=440:sample_rate=%1:duration=%2").arg(rate).arg(seconds)};
}

// MSB-first bit writer for the FLAC framing.
class Bits {
public:
    void put(quint64 value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            m_acc = quint8((m_acc << 1) | ((value >> i) & 1));
            if (++m_used == 8) {
                m_bytes.append(char(m_acc));
                m_acc = 0;
                m_used = 0;
            }
        }
    }
    QByteArray bytes()
    {
        if (m_used)
            put(0, 8 - m_used);
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint8 m_acc = 0;
    int m_used = 0;
};

quint8 crc8(const QByteArray &data)
{
    quint8 c = 0;
    for (char ch : data) {
        c ^= quint8(ch);
        for (int i = 0; i < 8; ++i)
            c = (c & 0x80) ? quint8((c << 1) ^ 0x07) : quint8(c << 1);
    }
    return c;
}

quint16 crc16(const QByteArray &data)
{
    quint16 c = 0;
    for (char ch : data) {
        c ^= quint16(quint8(ch)) << 8;
        for (int i = 0; i < 8; ++i)
            c = (c & 0x8000) ? quint16((c << 1) ^ 0x8005) : quint16(c << 1);
    }
    return c;
}

} // namespace

bool throughPipe(const QStringList &args, const QString &path)
{
    QProcess p;
    p.setStandardOutputFile(path);
    p.start(QStringLiteral("ffmpeg"),
            QStringList{"-y", "-v", "error", "-nostdin"} + args + QStringList{"pipe:1"});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << "ffmpeg through a pipe failed:" << args << p.readAllStandardError();
        return false;
    }
    return true;
}

bool pipedMatroska(const QString &path, double seconds, bool webm)
{
    QStringList args = video(seconds) + sound(seconds, 48000);
    if (webm)
        args << "-c:v"
             << "libvpx"
             << "-deadline"
             << "realtime"
             << "-c:a"
             << "libopus"
             << "-f"
             << "webm";
    else
        args << "-c:v"
             << "libx264"
             << "-preset"
             << "ultrafast"
             << "-c:a"
             << "aac"
             << "-f"
             << "matroska";
    return throughPipe(args, path);
}

bool flacWithoutSampleCount(const QString &path, double seconds)
{
    return throughPipe(sound(seconds) + QStringList{"-c:a", "flac", "-f", "flac"}, path);
}

bool flvFlv1Mp3(const QString &path, double seconds, int fps, bool withMetadata)
{
    QStringList args = video(seconds, QStringLiteral("320x240"), fps) + sound(seconds, 22050);
    args << "-c:v"
         << "flv"
         << "-c:a"
         << "libmp3lame"
         << "-r" << QString::number(fps);
    if (!withMetadata)
        args << "-flvflags"
             << "no_metadata";
    args << path;
    return TestMedia::ffmpeg(args);
}

bool flac32(const QString &path, double seconds)
{
    const QString raw = path + QStringLiteral(".s32");
    const int rate = 44100;
    if (!TestMedia::ffmpeg(sound(seconds, rate) + QStringList{"-f", "s32be", "-ac", "1", raw}))
        return false;
    QFile in(raw);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pcm = in.readAll();
    in.close();
    QFile::remove(raw);
    const qint64 samples = pcm.size() / 4;
    const int block = 4096;

    QByteArray out("fLaC");
    Bits info;
    info.put(block, 16); // smallest and largest block
    info.put(block, 16);
    info.put(0, 24); // frame sizes unknown
    info.put(0, 24);
    info.put(rate, 20);
    info.put(0, 3);  // one channel
    info.put(31, 5); // 32 bits per sample
    info.put(quint64(samples), 36);
    info.put(0, 64); // no MD5
    info.put(0, 64);
    const QByteArray infoBytes = info.bytes();
    out.append(char(0x80)).append(char(0)).append(char(0)).append(char(infoBytes.size()));
    out.append(infoBytes);

    quint32 frame = 0;
    for (qint64 start = 0; start < samples; start += block, ++frame) {
        const int n = int(std::min<qint64>(block, samples - start));
        Bits head;
        head.put(0x3FFE, 14); // sync
        head.put(0, 1);
        head.put(0, 1);   // fixed block size
        head.put(0x7, 4); // block size in 16 bits after the header
        head.put(0x0, 4); // sample rate as in the stream info
        head.put(0, 4);   // mono
        head.put(0, 3);   // sample size from the stream info (32 bits)
        head.put(0, 1);
        QByteArray header = head.bytes();
        if (frame < 0x80) { // frame number, UTF-8 style
            header.append(char(frame));
        } else {
            header.append(char(0xC0 | (frame >> 6)));
            header.append(char(0x80 | (frame & 0x3F)));
        }
        header.append(char((n - 1) >> 8)).append(char((n - 1) & 0xFF));
        header.append(char(crc8(header)));
        Bits sub;
        sub.put(0, 1);
        sub.put(1, 6); // verbatim
        sub.put(0, 1);
        for (int i = 0; i < n; ++i)
            sub.put(qFromBigEndian<quint32>(pcm.constData() + (start + i) * 4), 32);
        QByteArray whole = header + sub.bytes();
        const quint16 crc = crc16(whole);
        whole.append(char(crc >> 8)).append(char(crc & 0xFF));
        out.append(whole);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

bool opusInOgg(const QString &path, double seconds)
{
    return TestMedia::ffmpeg(sound(seconds, 48000) + QStringList{"-c:a", "libopus", "-f", "ogg", path});
}

bool truncatedMp4(const QString &path, double seconds, double keptShare)
{
    const QString whole = path + QStringLiteral(".whole.mp4");
    if (!TestMedia::ffmpeg(video(seconds) + sound(seconds) +
                           QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", "-movflags",
                                       "+faststart", whole}))
        return false;
    QFile in(whole);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    in.close();
    QFile::remove(whole);
    QFile out(path);
    const qint64 kept = qint64(data.size() * keptShare);
    return out.open(QIODevice::WriteOnly) && out.write(data.constData(), kept) == kept;
}

bool tsWithoutAuds(const QString &path, double seconds)
{
    if (!TestMedia::ffmpeg(video(seconds) + QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-g",
                                                        "1000", "-f", "mpegts", path}))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray data = file.readAll();
    // 00 00 00 01 09 xx (a delimiter) becomes 00 00 00 01 0C FF (filler).
    static const QByteArray aud("\x00\x00\x00\x01\x09", 5);
    int replaced = 0;
    for (qsizetype at = data.indexOf(aud); at >= 0 && at + 5 < data.size(); at = data.indexOf(aud, at + 5)) {
        data[at + 4] = char(0x0C);
        data[at + 5] = char(0xFF);
        ++replaced;
    }
    file.seek(0);
    return replaced > 0 && file.write(data) == data.size();
}

double decodedSeconds(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"),
            {"-v", "quiet", "-show_entries", "frame=best_effort_timestamp_time,pkt_duration_time", "-of",
             "csv=p=0", path});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return 0.0;
    double first = -1.0, end = 0.0;
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> parts = line.trimmed().split(',');
        if (parts.size() < 2 || parts[0].isEmpty() || parts[0] == "N/A")
            continue;
        const double pts = parts[0].toDouble();
        const double duration = parts[1] == "N/A" ? 0.0 : parts[1].toDouble();
        first = first < 0 ? pts : std::min(first, pts);
        end = std::max(end, pts + duration);
    }
    return first < 0 ? 0.0 : end - first;
}

} // namespace HardMedia
