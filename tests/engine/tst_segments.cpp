// Output split into segments "<name>_001<ext>", ...: by time (each the
// length asked, the last shorter) and by size (each under the limit), every
// one playing from its start; nothing left behind on a stop or a failure.

#include "engine/transcode/segmentsplitter.h"
#include "engine/transcode/transcoder.h"

#include "common/testmedia.h"
#include "typedjobs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <cstring>
#include <thread>

namespace {

OutputSpec smallInfo(int width, int height, int fpsMilli, int videoBitrate)
{
    OutputSpec spec = TypedJobs::spec("libx264", "aac", width, height, videoBitrate, 44100, 2, 64000);
    spec.video.frameRate = TypedJobs::milliRate(fpsMilli);
    return spec;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QString freshFolder(const QString &path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

// The first picture of a file is a key frame shown at the start (a program
// stream starts its clock a little after zero).
bool startsWithKeyFrame(const QString &path, QString *why)
{
    const double start =
        TestMedia::probe(path).value("format").toObject().value("start_time").toString().toDouble();
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries", "frame=key_frame,pts_time",
                        "-read_intervals", "%+#1", "-of", "csv=p=0", path});
    p.waitForFinished(60000);
    const QString first = QString::fromUtf8(p.readAllStandardOutput()).section('\n', 0, 0).trimmed();
    *why = first;
    const QStringList parts = first.split(',');
    return parts.value(0) == "1" && qAbs(parts.value(1).toDouble() - start) < 0.05;
}

} // namespace

class TestSegments : public QObject {
    Q_OBJECT
    QString m_dir, m_threeMinutes, m_minute;

    // Converts (the source cut to msStart..msEnd) into folder/name; the files written.
    std::vector<std::string> convert(const QString &source, const OutputSpec &info, const QString &output,
                                     int *status = nullptr, std::string *error = nullptr, int64_t msStart = 0,
                                     int64_t msEnd = 0)
    {
        const TranscodeResult result =
            Transcoder::run(TypedJobs::job({source}, output, info, msStart, msEnd));
        if (status)
            *status = result.status;
        if (error)
            *error = result.reason;
        return result.outputs;
    }

    void verifySegment(const QString &path, double seconds, double slack)
    {
        const QJsonObject info = TestMedia::probe(path);
        QVERIFY2(!info.isEmpty(), qPrintable(path));
        QVERIFY(!TestMedia::stream(info, "video").isEmpty());
        QVERIFY(!TestMedia::stream(info, "audio").isEmpty());
        if (seconds > 0)
            QVERIFY2(qAbs(TestMedia::durationSeconds(info) - seconds) <= slack,
                     qPrintable(path + ": " + QString::number(TestMedia::durationSeconds(info))));
        QString why;
        QVERIFY2(startsWithKeyFrame(path, &why), qPrintable(path + ": " + why));
        QVERIFY2(TestMedia::decodesCleanly(path, &why), qPrintable(path + ": " + why));
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_threeMinutes = m_dir + "/three-minutes.mp4";
        QVERIFY(TestMedia::makeClip(m_threeMinutes, 180.0, 160, 120, "10"));
        m_minute = m_dir + "/minute.mp4";
        QVERIFY(TestMedia::makeClip(m_minute, 60.0, 320, 240, "25"));
    }

    void segmentNames()
    {
        QCOMPARE(SegmentSplitter::segmentPath("/out/clip.mp4", 1), std::string("/out/clip_001.mp4"));
        QCOMPARE(SegmentSplitter::segmentPath("/out/clip(1).mp4", 12), std::string("/out/clip(1)_012.mp4"));
        QCOMPARE(SegmentSplitter::segmentPath("/out.d/clip", 2), std::string("/out.d/clip_002"));
        QCOMPARE(SegmentSplitter::segmentPath("/out/clip.mp4", 1234), std::string("/out/clip_1234.mp4"));
        OutputSpec info;
        info.path = "/out/a.mp4";
        QVERIFY(!SegmentSplitter::wanted(info));
        info.splitMs = 60000;
        QVERIFY(SegmentSplitter::wanted(info));
        // The engine's own writers make files that cannot be cut.
        info.path = "/out/a.dpg";
        QVERIFY(!SegmentSplitter::wanted(info));
    }

    // The acceptance case: three minutes split by one minute.
    void threeMinutesByOneMinute()
    {
        const QString out = freshFolder(m_dir + "/by-time");
        OutputSpec info = smallInfo(160, 120, 10000, 200000);
        info.splitMs = 60000;
        int status = 0;
        std::string error;
        const auto files = convert(m_threeMinutes, info, out + "/clip.mp4", &status, &error);
        QCOMPARE(status, int(TRANSCODE_FINISHED));
        QVERIFY2(error.empty(), error.c_str());
        QCOMPARE(filesIn(out), QStringList({"clip_001.mp4", "clip_002.mp4", "clip_003.mp4"}));
        QCOMPARE(files.size(), size_t(3));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(QString::fromStdString(files[size_t(i)]),
                     out + QStringLiteral("/clip_00%1.mp4").arg(i + 1));
            // Key frames are placed where the cuts fall: a frame's length.
            verifySegment(QString::fromStdString(files[size_t(i)]), 60.0, 0.15);
        }
    }

    void lastSegmentIsShorter()
    {
        const QString out = freshFolder(m_dir + "/by-time-rest");
        OutputSpec info = smallInfo(160, 120, 10000, 200000);
        info.splitMs = 60000;
        // two minutes and forty seconds
        const auto files = convert(m_threeMinutes, info, out + "/clip.mkv", nullptr, nullptr, 20000, 180000);
        QCOMPARE(files.size(), size_t(3));
        verifySegment(QString::fromStdString(files[0]), 60.0, 0.15);
        verifySegment(QString::fromStdString(files[2]), 40.0, 0.3);
    }

    void bySizeEachUnderTheLimit()
    {
        const QString out = freshFolder(m_dir + "/by-size");
        OutputSpec info = smallInfo(320, 240, 25000, 1800000); // about 14 MB in all
        info.splitBytes = 5000000;
        int status = 0;
        const auto files = convert(m_minute, info, out + "/clip.mp4", &status);
        QCOMPARE(status, int(TRANSCODE_FINISHED));
        QVERIFY2(files.size() >= 3, qPrintable(filesIn(out).join(' ')));
        QCOMPARE(filesIn(out).size(), int(files.size()));
        double total = 0.0;
        qint64 largest = 0;
        for (const std::string &file : files) {
            const QString path = QString::fromStdString(file);
            const qint64 size = QFileInfo(path).size();
            QVERIFY2(size < 5000000, qPrintable(path + " " + QString::number(size)));
            largest = std::max(largest, size);
            verifySegment(path, 0, 0);
            total += TestMedia::durationSeconds(TestMedia::probe(path));
        }
        // Segments are filled close to the limit, not cut needlessly short.
        QVERIFY2(largest > 3500000, qPrintable(QString::number(largest)));
        QVERIFY2(qAbs(total - 60.0) < 0.5, qPrintable(QString::number(total)));
    }

    // Other containers are cut the same way.
    void otherContainers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("audio");
        QTest::newRow("avi") << "clip.avi"
                             << "mpeg4"
                             << "mp3";
        QTest::newRow("mpeg program stream") << "clip.mpg"
                                             << "mpeg2video"
                                             << "mp2";
        QTest::newRow("matroska") << "clip.mkv"
                                  << "libx264"
                                  << "aac";
    }
    void otherContainers()
    {
        QFETCH(QString, name);
        QFETCH(QString, video);
        QFETCH(QString, audio);
        const QString out = freshFolder(m_dir + "/containers-" + name);
        OutputSpec info = smallInfo(160, 120, 10000, 200000);
        info.video.codec = video.toStdString();
        info.audio.codec = audio.toStdString();
        info.splitMs = 60000;
        const auto files = convert(m_threeMinutes, info, out + "/" + name);
        QCOMPARE(files.size(), size_t(3));
        for (const std::string &file : files)
            verifySegment(QString::fromStdString(file), 60.0, 0.6);
    }

    void stoppedRunLeavesNothing()
    {
        const QString out = freshFolder(m_dir + "/stopped");
        OutputSpec info = smallInfo(320, 240, 25000, 1800000);
        info.splitMs = 10000;
        const TranscodeJob job = TypedJobs::job({m_minute}, out + "/clip.mp4", info);
        TypedJobs::Reports reports;
        StopToken stop;
        TranscodeResult result;
        std::thread worker([&] { result = Transcoder::run(job, &reports, &stop); });
        for (int i = 0; i < 600 && reports.fraction() < 0.3; ++i)
            QTest::qWait(50);
        stop.request();
        worker.join();
        QCOMPARE(int(result.status), int(TRANSCODE_STOPPED));
        QVERIFY(result.outputs.empty());
        QCOMPARE(filesIn(out), QStringList());
    }

    // A segment name that is taken fails the job; nothing is replaced and
    // nothing of the job stays.
    void aTakenSegmentNameIsNeverReplaced()
    {
        const QString out = freshFolder(m_dir + "/taken");
        QFile keep(out + "/clip_002.mp4");
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("keep me");
        keep.close();
        OutputSpec info = smallInfo(160, 120, 10000, 200000);
        info.splitMs = 60000;
        int status = 0;
        std::string error;
        convert(m_threeMinutes, info, out + "/clip.mp4", &status, &error);
        QCOMPARE(status, int(TRANSCODE_FAILED));
        QVERIFY2(QString::fromStdString(error).contains("already exists"), error.c_str());
        QCOMPARE(filesIn(out), QStringList({"clip_002.mp4"}));
        QVERIFY(keep.open(QIODevice::ReadOnly));
        QCOMPARE(keep.readAll(), QByteArray("keep me"));
    }

    // Without a split the job writes its one file as always.
    void noSplitWritesOneFile()
    {
        const QString out = freshFolder(m_dir + "/whole");
        const auto files = convert(m_minute, smallInfo(160, 120, 10000, 200000), out + "/clip.mp4");
        QCOMPARE(files, std::vector<std::string>({(out + "/clip.mp4").toStdString()}));
        QCOMPARE(filesIn(out), QStringList({"clip.mp4"}));
    }
};

QTEST_GUILESS_MAIN(TestSegments)
#include "tst_segments.moc"
