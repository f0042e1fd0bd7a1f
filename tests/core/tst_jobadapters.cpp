#include "common/recordingsetters.h"
#include "common/testmedia.h"
#include "core/jobs/encodeinfofill.h"
#include "core/jobs/ffmpegmerge.h"
#include "core/jobs/jobfilters.h"
#include "core/jobs/videoconvertwrapper.h"
#include "core/jobs/videomergewrapper.h"
#include "core/media/videoinfo.h"

#include <QtEndian>
#include <QtTest>

#include <cstring>

// The older record interface (EncodeInfo, filter setters, the conversion and
// merge threads that are their own transcoders) is kept as adapters over
// the typed job; these cases keep the adapters honest.
namespace {

// A record that was never probed, with a hand-made probe block.
VideoInfo sourceRecord(double fps, int width, int height, int start, int end)
{
    VideoInfo v(QStringLiteral("/nonexistent/clip.avi"));
    v.fileInfo = std::make_unique<FileInfo>();
    v.fileInfo->frameRate = fps;
    v.fileInfo->width = width;
    v.fileInfo->height = height;
    v.msStart = start;
    v.msEnd = end;
    return v;
}

JobProfile mp4Profile()
{
    JobProfile p;
    p.name = QStringLiteral("MP4 Video");
    p.format = QStringLiteral(".mp4");
    p.audioBitrate = 128000;
    p.channels = 2;
    p.sampleRate = 44100;
    p.audioEncoder = QStringLiteral("libvo_aacenc ");
    p.videoBitrate = 1200000;
    p.frameRate = Rational{29970, 1000};
    p.width = 320;
    p.height = 240;
    p.videoEncoder = QStringLiteral("libx264");
    return p;
}

JobProfile smallMp4Profile()
{
    JobProfile p = mp4Profile();
    p.name = QStringLiteral("MP4");
    p.sampleRate = 48000;
    p.audioEncoder = QStringLiteral("aac");
    p.videoBitrate = 800000;
    p.frameRate = Rational{25000, 1000};
    p.width = 160;
    p.height = 120;
    return p;
}

QByteArray bytesOf(const EncodeInfo &info)
{
    return QByteArray(reinterpret_cast<const char *>(&info), sizeof(info));
}

qint32 i32(const QByteArray &b, int offset)
{
    return qFromLittleEndian<qint32>(b.constData() + offset);
}

qint64 i64(const QByteArray &b, int offset)
{
    return qFromLittleEndian<qint64>(b.constData() + offset);
}

FilterSettings filtersOf(const VideoInfo &v)
{
    FilterSettings f;
    JobFilters::forConversion(v, QString(), &f, nullptr);
    return f;
}

} // namespace

class TestJobAdapters : public QObject {
    Q_OBJECT
private slots:
    // The record of the older interface, still filled for its adapters.
    void encodeRecordBytes()
    {
        EncodeInfo info;
        std::memset(static_cast<void *>(&info), 0x5A, sizeof(info));
        QVERIFY(!EncodeInfoFill::fill(nullptr, nullptr, nullptr));
        QVERIFY(!EncodeInfoFill::fill(&info, nullptr, nullptr));
        QCOMPARE(bytesOf(info), QByteArray(144, 0x5A)); // untouched

        JobProfile p = mp4Profile();
        VideoInfo src = sourceRecord(25.0, 640, 360, 2000, 9000);
        QVERIFY(EncodeInfoFill::fill(&info, &p, &src));
        const QByteArray b = bytesOf(info);
        QCOMPARE(i64(b, 8), qint64(2000));
        QCOMPARE(i64(b, 16), qint64(9000));
        QCOMPARE(i32(b, 48), 320);
        QCOMPARE(i32(b, 56), 1200000);
        QCOMPARE(i32(b, 60), 29970);
        QCOMPARE(b.mid(64, 32), QByteArray("libx264").leftJustified(32, '\0'));
        QCOMPARE(i32(b, 104), 128000);
        QCOMPARE(i32(b, 108), 16);
        QCOMPARE(b.mid(116, 28), QByteArray("libvo_aacenc ").leftJustified(28, '\0'));

        // No rate and 0 x 0 fall back to the source's, a cropped picture's
        // size when it is cropped; the profile comes back from the record.
        p.frameRate = Rational{};
        p.width = 0;
        p.height = 0;
        p.dvd = true;
        src.fileInfo->frameRate = 29.97;
        src.cropChanged = true;
        src.cropWidth = 320;
        src.cropHeight = 180;
        QVERIFY(EncodeInfoFill::fill(&info, &p, &src));
        QCOMPARE(info.frameRate, 29970);
        QCOMPARE(info.width, 320);
        QCOMPARE(info.height, 180);
        QCOMPARE(info.dvdFlag, 1);
        const JobProfile back = EncodeInfoFill::profileOf(info);
        QVERIFY(back.dvd);
        QCOMPARE(back.frameRate, (Rational{29970, 1000}));
        QCOMPARE(back.videoEncoder, QStringLiteral("libx264"));

        // Names longer than their field are cut, keeping the terminator.
        p.videoEncoder = QString(40, QLatin1Char('v'));
        QVERIFY(EncodeInfoFill::fill(&info, &p, &src));
        QCOMPARE(QByteArray(info.videoEncoder), QByteArray(31, 'v'));
    }

    // The older interface's thread and transcoder still convert one file.
    void recordAdapterConverts()
    {
        const QString dir = TestMedia::tempDir() + "/adapter";
        QVERIFY(QDir().mkpath(dir));
        const QString src = dir + "/clip.avi";
        QVERIFY(TestMedia::makeClip(src, 2.0, 320, 240, "25"));
        VideoInfo v{VideoBasicInfo(src)};
        QVERIFY(v.isValid());
        v.effectChanged = true;
        v.effect = 1;
        RecordingSetters rec;
        EncodeInfoFill::applyFilters(filtersOf(v), rec);
        QVERIFY(rec.filterSnapshot().sharp && !rec.filterSnapshot().blur);
        VideoConvertWrapper job;
        QVERIFY(EncodeInfoFill::prepare(job, mp4Profile(), v, dir));
        QVERIFY(job.filterSnapshot().sharp);
        const QString out = dir + "/clip.mp4";
        job.setOutputPath(out);
        job.start();
        QVERIFY(job.wait(60000));
        QCOMPARE(TranscodeStatus(job.GetLastConvetStatus()), TRANSCODE_FINISHED);
        const QJsonObject probe = TestMedia::probe(out);
        QCOMPARE(TestMedia::stream(probe, "video").value("width").toInt(), 320);
        QVERIFY(qAbs(TestMedia::durationSeconds(probe) - 2.0) < 0.2);
    }
    // The older record interface: fewer than two files produce nothing; two
    // files are joined in one pass and can be stopped.
    void mergeRecordAdapter()
    {
        const QString dir = TestMedia::tempDir() + "/adapter";
        QVERIFY(QDir().mkpath(dir));
        const QString clip = dir + "/one.mp4";
        QVERIFY(TestMedia::makeClip(clip, 1.0, 160, 120));
        EncodeInfo info;
        JobProfile profile = smallMp4Profile();
        QVERIFY(EncodeInfoFill::fill(&info, &profile, nullptr));
        CFfmpegMerge one;
        one.setTempDir(dir.toLocal8Bit().constData());
        QCOMPARE(one.tempDir(), dir + "/");
        one.setEncodeInfo(&info);
        one.addFile(VideoInfo(clip));
        QCOMPARE(one.run((dir + "/out.mp4").toLocal8Bit().constData()), 0);
        QCOMPARE(one.status(), TRANSCODE_RUNNING);
        QCOMPARE(one.partCount(), 0);
        QVERIFY(!QFile::exists(dir + "/out.mp4"));

        VideoMergeWrapper two;
        two.setTempDir(dir.toLocal8Bit().constData());
        two.setEncodeInfo(&info);
        two.addFile(VideoInfo(clip));
        two.addFile(VideoInfo(VideoBasicInfo(clip, 0, 500)));
        const QString out = dir + "/two.mp4";
        two.setOutputPath(out);
        two.start();
        QVERIFY(two.wait(60000));
        QCOMPARE(two.runResult(), 1);
        QCOMPARE(two.status(), TRANSCODE_FINISHED);
        QCOMPARE(two.outputFiles(), QStringList{out});
        QVERIFY(qAbs(TestMedia::durationSeconds(TestMedia::probe(out)) - 1.5) < 0.15);
        QVERIFY(qAbs(TestMedia::decodedFrames(out) - 37) <= 1);

        two.addFile(VideoInfo(clip));
        two.addFile(VideoInfo(clip));
        two.setOutputPath(dir + "/stopped.mp4");
        two.stop();
        two.start();
        two.stopAndWait();
        QCOMPARE(two.status(), TRANSCODE_STOPPED);
        QVERIFY(!QFile::exists(dir + "/stopped.mp4"));
    }
};

QTEST_GUILESS_MAIN(TestJobAdapters)
#include "tst_jobadapters.moc"
