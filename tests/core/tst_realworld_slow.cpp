// The kinds of files real collections hold and clean test clips do not:
// written through a pipe, cut short, with demuxer quirks and unusual sample
// formats.  Each is made with the ffmpeg tool, added as the program adds a
// file, and converted to the "MP4 Video" profile (1004); every output must
// decode cleanly and last as long as the source does.

#include "common/hardmedia.h"
#include "common/testmedia.h"
#include "core/jobs/conversionrun.h"
#include "core/jobs/convertjob.h"
#include "core/media/videoinfo.h"
#include "core/media/videoinfomanager.h"
#include "core/profiles/videoformatinfo.h"
#include "core/profiles/videoprofileinfomanager.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>

namespace {

constexpr double kSeconds = 3.0;
constexpr double kTolerance = 0.3;

struct Converted {
    TranscodeStatus status = TRANSCODE_IDLE;
    QString output;
    QString error;
};

} // namespace

class TestRealWorld : public QObject {
    Q_OBJECT

    QString m_dir;
    JobProfile m_profile;

    Converted convert(const VideoInfo &source)
    {
        ConversionRun run;
        run.setPostTaskSource([] { return 0; });
        const QString out = m_dir + QStringLiteral("/out");
        QDir().mkpath(out);
        Converted result;
        QObject::connect(&run, &ConversionRun::jobFinished, [&](const JobOutcome &job) {
            result.status = job.status;
            result.output = job.outputPath;
            result.error = job.error;
        });
        bool ended = false;
        QObject::connect(&run, &ConversionRun::finished, [&](const RunOutcome &) { ended = true; });
        // As the conversion panel does: a length found by reading goes to the list.
        QObject::connect(&run, &ConversionRun::inputLengthFound, VideoInfoManager::instance(),
                         &VideoInfoManager::learnLength);
        run.addConversion(m_profile, source, out, m_dir);
        if (!run.start())
            return result;
        QElapsedTimer clock;
        clock.start();
        while (!ended && clock.elapsed() < 300000)
            QTest::qWait(20);
        return result;
    }

    // Adds the file as the program does, converts it, and checks the output.
    void addAndConvert(const QString &path, double expectedSeconds, bool expectVideo,
                       int expectedRate = 44100)
    {
        VideoInfoManager *registry = VideoInfoManager::instance();
        registry->clear();
        registry->addFile(path);
        QVERIFY2(registry->count() == 1, qPrintable(path + ": " + VideoInfo(path).probeError));
        const VideoInfo source = *registry->item(0);
        registry->clear();
        QCOMPARE(source.isAudio, !expectVideo);
        // The length is known (stated, or learnt by reading), so the list
        // and the section show it.
        QVERIFY2(source.hasKnownLength(), qPrintable(path));
        QVERIFY2(qAbs(source.msEnd / 1000.0 - expectedSeconds) <= kTolerance,
                 qPrintable(QStringLiteral("%1: section end %2 ms").arg(path).arg(source.msEnd)));
        if (!expectVideo)
            QCOMPARE(source.fileInfo->sampleRate, expectedRate);

        const Converted done = convert(source);
        QVERIFY2(done.status == TRANSCODE_FINISHED, qPrintable(path + ": " + done.error));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(done.output, &errors), qPrintable(done.output + ": " + errors));
        const QJsonObject probe = TestMedia::probe(done.output);
        const double seconds = TestMedia::durationSeconds(probe);
        QVERIFY2(qAbs(seconds - expectedSeconds) <= kTolerance,
                 qPrintable(QStringLiteral("%1 lasts %2 s, expected %3 s")
                                .arg(done.output)
                                .arg(seconds)
                                .arg(expectedSeconds)));
        QCOMPARE(TestMedia::stream(probe, QStringLiteral("video")).isEmpty(), !expectVideo);
        QVERIFY(!TestMedia::stream(probe, QStringLiteral("audio")).isEmpty() || expectVideo);
        QFile::remove(done.output);
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        const CVideoFormatInfo *mp4 =
            CVideoProfileInfoManager::getInstance()->getFormatInfo(QStringLiteral("1004"));
        QVERIFY(mp4);
        m_profile = ConvertJob::jobProfile(*mp4);
        QCOMPARE(m_profile.format, QStringLiteral(".mp4"));
    }

    void pipedMatroska()
    {
        const QString path = m_dir + "/piped.mkv";
        QVERIFY(HardMedia::pipedMatroska(path, kSeconds, false));
        QVERIFY(TestMedia::durationSeconds(TestMedia::probe(path)) == 0.0); // no length in the file
        addAndConvert(path, kSeconds, true);
    }

    void pipedWebm()
    {
        const QString path = m_dir + "/piped.webm";
        QVERIFY(HardMedia::pipedMatroska(path, kSeconds, true));
        addAndConvert(path, kSeconds, true);
    }

    void flacWithoutSampleCount()
    {
        const QString path = m_dir + "/nocount.flac";
        QVERIFY(HardMedia::flacWithoutSampleCount(path, kSeconds));
        addAndConvert(path, kSeconds, false);
    }

    void flvAt15Fps_data()
    {
        QTest::addColumn<bool>("metadata");
        QTest::newRow("with metadata") << true;
        QTest::newRow("without metadata") << false;
    }

    void flvAt15Fps()
    {
        QFETCH(bool, metadata);
        const QString path = m_dir + QStringLiteral("/flv15-%1.flv").arg(metadata);
        QVERIFY(HardMedia::flvFlv1Mp3(path, kSeconds, 15, metadata));
        addAndConvert(path, HardMedia::decodedSeconds(path), true);
    }

    void flac32Bit()
    {
        const QString path = m_dir + "/deep.flac";
        QVERIFY(HardMedia::flac32(path, kSeconds));
        const QJsonObject s = TestMedia::stream(TestMedia::probe(path), QStringLiteral("audio"));
        QCOMPARE(s.value(QStringLiteral("bits_per_raw_sample")).toString(), QStringLiteral("32"));
        addAndConvert(path, kSeconds, false);
    }

    void opusNamedOpus()
    {
        const QString path = m_dir + "/voice.opus";
        QVERIFY(HardMedia::opusInOgg(path, kSeconds));
        addAndConvert(path, kSeconds, false, 48000);
    }

    void mp4CutAfterItsIndex()
    {
        const QString path = m_dir + "/cut.mp4";
        QVERIFY(HardMedia::truncatedMp4(path, 6.0, 0.5));
        const double decodable = HardMedia::decodedSeconds(path);
        QVERIFY2(decodable > 1.0 && decodable < 5.0, qPrintable(QString::number(decodable)));
        // The index claims 6 s; the file holds what the tool decodes.
        VideoInfo source(path);
        QVERIFY2(source.isValid(), qPrintable(source.probeError));
        const Converted done = convert(source);
        QVERIFY2(done.status == TRANSCODE_FINISHED, qPrintable(done.error));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(done.output, &errors), qPrintable(errors));
        const double seconds = TestMedia::durationSeconds(TestMedia::probe(done.output));
        QVERIFY2(qAbs(seconds - decodable) <= kTolerance,
                 qPrintable(QStringLiteral("%1 s converted, %2 s decodable").arg(seconds).arg(decodable)));
    }

    void h264TsWithoutDelimiters()
    {
        const QString path = m_dir + "/noaud.ts";
        QVERIFY(HardMedia::tsWithoutAuds(path, kSeconds));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains(QByteArray("\x00\x00\x00\x01\x09", 5)));
        addAndConvert(path, kSeconds, true);
    }

    // A file whose length nobody could tell before: the conversion reads it
    // to its end, and the list learns the length from it.
    void lengthLearntByTheConversion()
    {
        const QString path = m_dir + "/learn.mkv";
        QVERIFY(HardMedia::pipedMatroska(path, kSeconds, false));
        VideoInfoManager *registry = VideoInfoManager::instance();
        registry->clear();
        registry->addFile(path);
        QCOMPARE(registry->count(), 1);
        // As when the file was too long to read through while it was added.
        VideoInfo *record = registry->item(0);
        record->fileInfo->durationMs = 0.0;
        record->msEnd = -1;
        QVERIFY(!record->hasKnownLength());
        QSignalSpy updated(registry, &VideoInfoManager::videoUpdated);
        const Converted done = convert(*record);
        QVERIFY2(done.status == TRANSCODE_FINISHED, qPrintable(done.error));
        QVERIFY(qAbs(TestMedia::durationSeconds(TestMedia::probe(done.output)) - kSeconds) <= kTolerance);
        QCOMPARE(updated.count(), 1);
        QVERIFY(record->hasKnownLength());
        QVERIFY2(qAbs(record->msEnd / 1000.0 - kSeconds) <= kTolerance,
                 qPrintable(QString::number(record->msEnd)));
        registry->clear();
    }
};

QTEST_GUILESS_MAIN(TestRealWorld)
#include "tst_realworld_slow.moc"
