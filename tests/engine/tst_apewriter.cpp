// Monkey's Audio output: the files must decode, bit for bit, back to the PCM
// that went in (FFmpeg's own decoder with its CRC check as the reference),
// and the engine must convert into them like into any other format.
#include "engine/transcode/apewriter.h"

#include "common/testmedia.h"
#include "typedjobs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <cstring>
#include <random>
#include <thread>

namespace {

// Sine plus noise, as interleaved signed 16-bit PCM of exactly `blocks` blocks.
bool makePcm(const QString &path, int rate, int channels, qint64 blocks)
{
    const double seconds = double(blocks) / rate + 0.5;
    const QString len = QString::number(seconds, 'f', 3);
    const QString src = QStringLiteral("sine=frequency=523:sample_rate=%1:duration=%2").arg(rate).arg(len);
    const QString noise =
        QStringLiteral("anoisesrc=color=pink:amplitude=0.4:sample_rate=%1:duration=%2").arg(rate).arg(len);
    if (!TestMedia::ffmpeg(
            {"-f", "lavfi", "-i", src, "-f", "lavfi", "-i", noise, "-filter_complex",
             channels == 2 ? "[0][1]amerge=inputs=2,volume=1.6" : "[0][1]amix=inputs=2,volume=1.6", "-ac",
             QString::number(channels), "-f", "s16le", path}))
        return false;
    QFile f(path);
    return f.size() >= blocks * 2 * channels && f.resize(blocks * 2 * channels);
}

// Decodes with the ffmpeg tool, CRC checked, into raw PCM; errors collects
// everything the decoder complained about.
QByteArray decode(const QString &path, QString *errors)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {"-v", "error", "-nostdin", "-err_detect", "crccheck+explode", "-i", path, "-f", "s16le", "-"});
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
    }
    *errors = QString::fromUtf8(p.readAllStandardError()).trimmed();
    if (p.exitCode() != 0 && errors->isEmpty())
        *errors = QStringLiteral("ffmpeg exit code %1").arg(p.exitCode());
    return p.readAllStandardOutput();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TranscodeJob apeJob(const QString &input, const QString &output, int rate, int channels, qint64 msStart,
                    qint64 msEnd)
{
    return TypedJobs::job({input}, output, TypedJobs::spec("", "ape", 0, 0, 0, rate, channels, 1000000),
                          msStart, msEnd);
}

} // namespace

class TestApeWriter : public QObject {
    Q_OBJECT
    QString m_dir;

private slots:
    void initTestCase() { m_dir = TestMedia::tempDir(); }

    void losslessRoundTrip_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<qint64>("blocks");
        const qint64 frame = ApeWriter::kBlocksPerFrame;
        QTest::newRow("stereo, 3 frames, short last") << 44100 << 2 << 2 * frame + 12345;
        QTest::newRow("mono, 3 frames, short last") << 22050 << 1 << 2 * frame + 4001;
        QTest::newRow("stereo, whole frames") << 48000 << 2 << 2 * frame;
        QTest::newRow("mono, one block") << 8000 << 1 << qint64(1);
        QTest::newRow("stereo, a few blocks") << 32000 << 2 << qint64(7);
    }
    void losslessRoundTrip()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(qint64, blocks);
        const QString tag =
            QString::fromLatin1(QTest::currentDataTag()).replace(QRegularExpression("\\W+"), "_");
        const QString pcm = m_dir + "/" + tag + ".raw";
        const QString ape = m_dir + "/" + tag + ".ape";
        QVERIFY(makePcm(pcm, rate, channels, blocks));
        std::string error;
        QVERIFY2(
            ApeWriter::encodeRawFile(pcm.toStdString(), ape.toStdString(), rate, channels, nullptr, &error),
            error.c_str());

        QString errors;
        const QByteArray decoded = decode(ape, &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
        const QByteArray original = readAll(pcm);
        QCOMPARE(decoded.size(), original.size());
        QVERIFY2(decoded == original, "decoded PCM differs from the input");
        if (blocks > 1000)
            QVERIFY(QFileInfo(ape).size() < original.size()); // it does compress

        const QJsonObject probe = TestMedia::probe(ape);
        const QJsonObject audio = TestMedia::stream(probe, "audio");
        QCOMPARE(probe.value("format").toObject().value("format_name").toString(), QString("ape"));
        QCOMPARE(audio.value("codec_name").toString(), QString("ape"));
        QCOMPARE(audio.value("sample_rate").toString().toInt(), rate);
        QCOMPARE(audio.value("channels").toInt(), channels);
        QCOMPARE(audio.value("duration_ts").toVariant().toLongLong(), blocks);
        QVERIFY(std::abs(TestMedia::durationSeconds(probe) - double(blocks) / rate) < 0.001);
    }

    // Silence broken by full-scale bursts and lone clicks: the coder's rare
    // paths (escaped overflows, very wide remainders) must stay lossless too.
    void extremeSignalsRoundTrip_data()
    {
        QTest::addColumn<int>("channels");
        QTest::newRow("stereo") << 2;
        QTest::newRow("mono") << 1;
    }
    void extremeSignalsRoundTrip()
    {
        QFETCH(int, channels);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> any(-32768, 32767);
        QByteArray pcm;
        auto put = [&](int v) {
            const auto s = quint16(qint16(v));
            pcm.append(char(s & 0xFF));
            pcm.append(char(s >> 8));
        };
        for (int burst = 0; burst < 30; ++burst)
            for (int i = 0; i < 3000; ++i) {
                int a = 0;
                if (burst % 2) {
                    const int pick = any(random) & 3;
                    a = pick == 0 ? -32768 : pick == 1 ? 32767 : any(random);
                }
                put(a);
                if (channels == 2)
                    put(a == -32768 ? 32767 : -a - 1); // the far opposite on the other side
            }
        for (int i = 0; i < 20000; ++i) {
            put(i % 1000 == 0 ? 32767 : 0);
            if (channels == 2)
                put(i % 777 == 0 ? -32768 : 0);
        }
        const QString raw = m_dir + QStringLiteral("/extreme%1.raw").arg(channels);
        const QString ape = m_dir + QStringLiteral("/extreme%1.ape").arg(channels);
        QFile f(raw);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(pcm);
        f.close();
        std::string error;
        QVERIFY2(
            ApeWriter::encodeRawFile(raw.toStdString(), ape.toStdString(), 44100, channels, nullptr, &error),
            error.c_str());
        QString errors;
        const QByteArray decoded = decode(ape, &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
        QVERIFY2(decoded == pcm, "decoded PCM differs from the input");
    }

    // A damaged frame is caught by the frame CRC (so the CRC is really checked).
    void damageIsDetected()
    {
        const QString pcm = m_dir + "/damage.raw", ape = m_dir + "/damage.ape";
        QVERIFY(makePcm(pcm, 44100, 2, 50000));
        std::string error;
        QVERIFY(ApeWriter::encodeRawFile(pcm.toStdString(), ape.toStdString(), 44100, 2, nullptr, &error));
        QByteArray data = readAll(ape);
        const int firstFrame = 52 + 24 + 4; // descriptor, header, one seek entry
        QVERIFY(data.size() > firstFrame + 8);
        data[firstFrame] = char(data[firstFrame] ^ 0x01); // a bit of the stored CRC
        QFile f(ape);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
        f.close();
        QString errors;
        decode(ape, &errors);
        QVERIFY2(errors.contains("CRC", Qt::CaseInsensitive), qPrintable(errors));
    }

    void refusesWhatItCannotWrite()
    {
        const QString pcm = m_dir + "/small.raw", ape = m_dir + "/refused.ape";
        QVERIFY(makePcm(pcm, 44100, 2, 1000));
        std::string error;
        QVERIFY(!ApeWriter::encodeRawFile(pcm.toStdString(), ape.toStdString(), 44100, 6, nullptr, &error));
        QVERIFY(QString::fromStdString(error).contains("stereo"));
        const QString empty = m_dir + "/empty.raw";
        QFile(empty).open(QIODevice::WriteOnly);
        error.clear();
        QVERIFY(!ApeWriter::encodeRawFile(empty.toStdString(), ape.toStdString(), 44100, 2, nullptr, &error));
        QVERIFY(!error.empty());
        std::atomic<bool> stop{true};
        error.clear();
        QVERIFY(!ApeWriter::encodeRawFile(pcm.toStdString(), ape.toStdString(), 44100, 2, &stop, &error));
        QCOMPARE(QString::fromStdString(error), QString("stopped"));
    }

    // Through the engine: a section of a video clip becomes an .ape file.
    void convertsSectionThroughTheEngine_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::newRow("44.1 kHz stereo") << 44100 << 2;
        QTest::newRow("22.05 kHz mono") << 22050 << 1;
        QTest::newRow("surround asked: stereo written") << 48000 << 6;
    }
    void convertsSectionThroughTheEngine()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        const QString sub = m_dir + "/engine" + QString::number(rate);
        QVERIFY(QDir().mkpath(sub));
        const QString clip = sub + "/clip.mkv";
        QVERIFY(TestMedia::makeClip(clip, 4.0, 160, 120));
        const QString out = sub + "/section.ape";
        const TranscodeResult result = Transcoder::run(apeJob(clip, out, rate, channels, 1000, 3000));
        QVERIFY2(result.ok(), result.reason.c_str());

        const QJsonObject probe = TestMedia::probe(out);
        const QJsonObject audio = TestMedia::stream(probe, "audio");
        QCOMPARE(audio.value("codec_name").toString(), QString("ape"));
        QCOMPARE(audio.value("sample_rate").toString().toInt(), rate);
        QCOMPARE(audio.value("channels").toInt(), qMin(channels, 2));
        QVERIFY2(std::abs(TestMedia::durationSeconds(probe) - 2.0) < 0.05,
                 qPrintable(QString::number(TestMedia::durationSeconds(probe))));
        QString errors;
        QVERIFY2(!decode(out, &errors).isEmpty() && errors.isEmpty(), qPrintable(errors));
        // Only the source and the result: no temporary files left over.
        QCOMPARE(QDir(sub).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void stopLeavesNothing()
    {
        const QString sub = m_dir + "/stop";
        QVERIFY(QDir().mkpath(sub));
        const QString src = m_dir + "/long.wav";
        QVERIFY(TestMedia::ffmpeg(
            {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000:duration=300", src}));
        const QString out = sub + "/stopped.ape";
        const TranscodeJob job = apeJob(src, out, 44100, 2, 0, -1);
        TypedJobs::Reports reports;
        StopToken stop;
        TranscodeStatus status = TRANSCODE_IDLE;
        std::thread worker([&] { status = Transcoder::run(job, &reports, &stop).status; });
        QElapsedTimer wait;
        wait.start();
        while (reports.fraction() <= 0.0 && wait.elapsed() < 20000)
            QThread::msleep(5);
        stop.request();
        worker.join();
        QCOMPARE(int(status), int(TRANSCODE_STOPPED));
        QVERIFY(QDir(sub).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void soundlessSourceFailsCleanly()
    {
        const QString sub = m_dir + "/silent";
        QVERIFY(QDir().mkpath(sub));
        const QString clip = sub + "/video.mkv";
        QVERIFY(TestMedia::makeClip(clip, 1.0, 160, 120, "25", 0));
        const QString out = sub + "/none.ape";
        const TranscodeResult result = Transcoder::run(apeJob(clip, out, 44100, 2, 0, -1));
        QCOMPARE(int(result.status), int(TRANSCODE_FAILED));
        QVERIFY(!result.reason.empty());
        QCOMPARE(QDir(sub).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestApeWriter)
#include "tst_apewriter.moc"
