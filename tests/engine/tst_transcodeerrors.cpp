// Inputs that go wrong while they are read: a read error part-way, a file
// cut short, damaged packets.  Each must end the way a user can trust: a
// failure leaves nothing behind, what can be converted is, and the log says
// what happened.

#include "engine/av/avptr.h"
#include "engine/probe/mediaprobe.h"
#include "engine/transcode/transcoder.h"

#include "common/testmedia.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <memory>

namespace {

// Reads a file, and fails with EIO for every byte from failFrom on: a disk
// or a network share that gives out part-way.
class FaultyReader : public InputReader {
public:
    FaultyReader(const QString &path, qint64 failFrom, std::atomic<int> *reads)
        : m_file(path), m_failFrom(failFrom), m_reads(reads)
    {
        m_file.open(QIODevice::ReadOnly);
    }

    int read(uint8_t *buf, int size) override
    {
        m_reads->fetch_add(1);
        const qint64 pos = m_file.pos();
        if (pos >= m_failFrom)
            return m_failFrom < m_file.size() ? AVERROR(EIO) : AVERROR_EOF;
        const qint64 n = m_file.read(reinterpret_cast<char *>(buf), qMin<qint64>(size, m_failFrom - pos));
        if (n < 0)
            return AVERROR(EIO);
        return n == 0 ? AVERROR_EOF : int(n);
    }

    int64_t seek(int64_t offset, int whence) override
    {
        if (whence & AVSEEK_SIZE)
            return m_file.size();
        whence &= ~AVSEEK_FORCE;
        const qint64 base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m_file.pos() : m_file.size();
        if ((whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) || base + offset < 0 ||
            !m_file.seek(base + offset))
            return AVERROR(EINVAL);
        return base + offset;
    }

private:
    QFile m_file;
    const qint64 m_failFrom;
    std::atomic<int> *m_reads;
};

// A small H.264/AAC job.
TranscodeJob mp4Job(const QStringList &inputs, const QString &output)
{
    TranscodeJob job;
    for (const QString &path : inputs) {
        TranscodeInput in;
        in.path = path.toStdString();
        job.inputs.push_back(in);
    }
    OutputSpec &out = job.output;
    out.path = output.toStdString();
    out.video.codec = "libx264";
    out.video.width = 160;
    out.video.height = 120;
    out.video.rate = RateControl::BitRate{400000};
    out.audio.codec = "aac";
    out.audio.sampleRate = 44100;
    out.audio.channels = 2;
    out.audio.bitRate = 96000;
    return job;
}

struct LastFraction : TranscodeObserver {
    void onProgress(double f, int64_t) override { fraction = f; }
    std::atomic<double> fraction{0.0};
};

int convert(const QStringList &inputs, const QString &out)
{
    return Transcoder::run(mp4Job(inputs, out)).status;
}

// A fresh folder per case, so that leftovers are easy to see.
QString caseDir(const QString &name)
{
    const QString dir = TestMedia::tempDir() + "/" + name;
    QDir().mkpath(dir);
    return dir;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// 4 s of MPEG-2 video and MP2 sound in a transport stream: decoders that
// say when a packet is damaged.
bool makeTransportStream(const QString &path)
{
    return TestMedia::makeClip(path, 4.0, 320, 240, "25", 48000, 2, {"-c:v", "mpeg2video", "-c:a", "mp2"});
}

int videoFrames(const QString &path)
{
    return TestMedia::stream(TestMedia::probe(path), "video").value("nb_frames").toString().toInt();
}

} // namespace

class TestTranscodeErrors : public QObject {
    Q_OBJECT

private slots:
    void readErrorMidwayFailsAndLeavesNothing_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<bool>("fault");
        QTest::newRow("mkv, fails at half") << "mkv" << true;
        QTest::newRow("ts, fails at half") << "ts" << true;
        // The same reader without the fault: proves the input really goes
        // through it, and that a reader converts like a path.
        QTest::newRow("mkv, no fault") << "mkv" << false;
    }

    void readErrorMidwayFailsAndLeavesNothing()
    {
        QFETCH(QString, ext);
        QFETCH(bool, fault);
        const QString dir = caseDir(QString("readerror_%1_%2").arg(ext).arg(fault));
        const QString src = TestMedia::tempDir() + "/reader_src." + ext;
        if (!QFile::exists(src))
            QVERIFY(TestMedia::makeClip(src, 4.0, 320, 240));
        const qint64 size = QFileInfo(src).size();
        std::atomic<int> reads{0};
        TranscodeJob job = mp4Job({src}, dir + "/out.mp4");
        job.inputs[0].openReader = [&] {
            return std::make_unique<FaultyReader>(src, fault ? size / 2 : size, &reads);
        };
        LastFraction progress;
        const TranscodeResult result = Transcoder::run(job, &progress);
        const TranscodeStatus status = result.status;
        const std::string &error = result.reason;
        QVERIFY(reads.load() > 0);
        if (!fault) {
            QCOMPARE(status, TRANSCODE_FINISHED);
            QVERIFY(qAbs(TestMedia::durationSeconds(TestMedia::probe(dir + "/out.mp4")) - 4.0) < 0.2);
            QCOMPARE(filesIn(dir), QStringList{"out.mp4"});
            return;
        }
        QCOMPARE(int(status), 4); // TRANSCODE_FAILED: never a shortened "finished" file
        const QString text = QString::fromStdString(error);
        QVERIFY2(text.contains(QString::fromStdString(av::errorText(AVERROR(EIO)))), qPrintable(text));
        // The time reached: somewhere in the first half, but not at the start.
        const QRegularExpressionMatch when = QRegularExpression("after 00:00:(\\d\\d\\.\\d{3})").match(text);
        QVERIFY2(when.hasMatch(), qPrintable(text));
        QVERIFY2(when.captured(1).toDouble() > 0.5 && when.captured(1).toDouble() < 3.0, qPrintable(text));
        QVERIFY2(filesIn(dir).isEmpty(), qPrintable(filesIn(dir).join(", ")));
        QCOMPARE(progress.fraction < 1.0, true);
    }

    void fileCutShortConvertsWhatThereIs_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("mkv") << "mkv" << QStringList{};
        // The index up front claims every sample, the samples stop at 60 %.
        QTest::newRow("mp4 with its index first") << "mp4" << QStringList{"-movflags", "+faststart"};
    }

    void fileCutShortConvertsWhatThereIs()
    {
        QFETCH(QString, ext);
        QFETCH(QStringList, args);
        const QString dir = caseDir("cut_" + ext);
        const QString src = dir + "/cut." + ext;
        QVERIFY(TestMedia::makeClip(src, 5.0, 320, 240, "25", 44100, 2, args));
        const qint64 size = QFileInfo(src).size();
        QVERIFY(QFile::resize(src, size * 60 / 100));
        const QString out = dir + "/out.mp4";
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("input ends early: \\[.*cut\\." + ext +
                                                "\\] claims \\[00:00:05\\.\\d{3}\\], its data ends at "
                                                "\\[00:00:0[23]\\.\\d{3}\\]"));
        QCOMPARE(convert({src}, out), int(TRANSCODE_FINISHED));
        const double seconds = TestMedia::durationSeconds(TestMedia::probe(out));
        QVERIFY2(seconds > 2.4 && seconds < 3.6, qPrintable(QString::number(seconds))); // about 60 % of 5 s
        QVERIFY(TestMedia::decodesCleanly(out));
        QCOMPARE(filesIn(dir), (QStringList{"cut." + ext, "out.mp4"}));
    }

    // Seeking in such a file cannot use its index (it lay beyond the cut):
    // the file must still open for the list and convert a section.
    void fileCutShortCanBeProbedAndCut()
    {
        const QString dir = caseDir("cutsection");
        const QString src = dir + "/cut.mkv";
        QVERIFY(TestMedia::makeClip(src, 5.0, 320, 240));
        QVERIFY(QFile::resize(src, QFileInfo(src).size() * 60 / 100));
        MediaProbe probe;
        QVERIFY(probe.open(src.toStdString()));
        FileInfo info;
        QVERIFY(probe.fillFileInfo(&info));
        QCOMPARE(info.width, 320);

        // The last section ends before the cut: nothing to warn about.
        for (int startMs : {500, 2000, 0}) {
            const QString out = dir + QString("/from%1.mp4").arg(startMs);
            TranscodeJob job = mp4Job({src}, out);
            job.inputs[0].msStart = startMs;
            job.inputs[0].msEnd = startMs == 0 ? 2000 : -1;
            if (startMs == 0)
                QTest::failOnWarning(QRegularExpression("input ends early"));
            else
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression("input ends early: .*cut\\.mkv"));
            QCOMPARE(int(Transcoder::run(job).status), int(TRANSCODE_FINISHED));
            const double want = startMs == 0 ? 2.0 : 3.1 - startMs / 1000.0;
            const double seconds = TestMedia::durationSeconds(TestMedia::probe(out));
            QVERIFY2(qAbs(seconds - want) < 0.3, qPrintable(QString("%1: %2 s").arg(startMs).arg(seconds)));
            QVERIFY(TestMedia::decodesCleanly(out));
        }
    }

    // A join goes on right where the short input's data ended: no frozen
    // picture or silence for the part that was never there.
    void joinAfterShortInputHasNoGap()
    {
        const QString dir = caseDir("cutjoin");
        const QString cut = dir + "/cut.mkv", whole = dir + "/whole.mkv";
        QVERIFY(TestMedia::makeClip(cut, 5.0, 320, 240));
        QVERIFY(QFile::resize(cut, QFileInfo(cut).size() * 60 / 100));
        QVERIFY(TestMedia::makeClip(whole, 2.0, 320, 240));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("input ends early: .*cut\\.mkv"));
        const QString out = dir + "/joined.mp4";
        QCOMPARE(convert({cut, whole}, out), int(TRANSCODE_FINISHED));
        const QJsonObject p = TestMedia::probe(out);
        const double seconds = TestMedia::durationSeconds(p);
        QVERIFY2(seconds > 4.4 && seconds < 5.6, qPrintable(QString::number(seconds)));
        // 25 fps: what there is of the first (about 3 s) and all of the second.
        const int frames = videoFrames(out);
        QVERIFY2(qAbs(frames - seconds * 25) <= 3, qPrintable(QString::number(frames)));
        const double audio = TestMedia::stream(p, "audio").value("duration").toString().toDouble();
        QVERIFY2(qAbs(audio - seconds) < 0.2, qPrintable(QString::number(audio)));
        QVERIFY(TestMedia::decodesCleanly(out));
    }

    // The same stream undamaged: nothing is counted.
    void cleanStreamCountsNoDamage()
    {
        const QString dir = caseDir("clean");
        QVERIFY(makeTransportStream(dir + "/clean.ts"));
        QTest::failOnWarning(QRegularExpression("damaged packets"));
        QCOMPARE(convert({dir + "/clean.ts"}, dir + "/clean.mp4"), int(TRANSCODE_FINISHED));
        QCOMPARE(videoFrames(dir + "/clean.mp4"), 100);
    }

    void damagedPacketsAreSkippedAndCounted()
    {
        const QString dir = caseDir("damaged");
        const QString damaged = dir + "/damaged.ts";
        QVERIFY(makeTransportStream(damaged));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::ReadWrite));
        // Three transport packets in the middle overwritten, sync bytes and all.
        const qint64 middle = file.size() / 2 / 188 * 188;
        QVERIFY(file.seek(middle + 4));
        QCOMPARE(file.write(QByteArray(3 * 188, '\xff')), qint64(3 * 188));
        file.close();

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("\\[[1-9]\\d*\\] damaged packets skipped converting to "
                                                "\\[.*damaged\\.mp4\\]"));
        const QString out = dir + "/damaged.mp4";
        QCOMPARE(convert({damaged}, out), int(TRANSCODE_FINISHED));
        QVERIFY(qAbs(TestMedia::durationSeconds(TestMedia::probe(out)) - 4.0) < 0.2);
        QVERIFY(qAbs(videoFrames(out) - 100) <= 2);
        QVERIFY(TestMedia::decodesCleanly(out));
    }
};

QTEST_GUILESS_MAIN(TestTranscodeErrors)
#include "tst_transcodeerrors.moc"
