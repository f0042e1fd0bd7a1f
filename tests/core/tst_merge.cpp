#include "common/recordingsetters.h"
#include "common/testmedia.h"
#include "core/jobs/convertjob.h"
#include "core/jobs/ffmpegmerge.h"
#include "core/jobs/videomergewrapper.h"
#include "core/media/videoinfo.h"
#include "engine/av/filtersettings.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

namespace {

EncodeInfo finalRecord(int width, int height)
{
    JobProfile p;
    p.name = QStringLiteral("MP4");
    p.audioBitrate = QStringLiteral("128000");
    p.channels = QStringLiteral("2");
    p.sampleRate = QStringLiteral("44100");
    p.audioEncoder = QStringLiteral("libvo_aacenc");
    p.videoBitrate = QStringLiteral("800000");
    p.frameRate = QStringLiteral("25000");
    p.width = width;
    p.height = height;
    p.videoEncoder = QStringLiteral("libx264");
    EncodeInfo info;
    ConvertJob::fillEncodeInfo(&info, &p, nullptr);
    return info;
}

// Merges the files, in order, into out at 320x240 with parts in dir/tmp;
// the run's status.
TranscodeStatus mergeFiles(const QList<VideoInfo> &files, const QString &dir, const QString &out)
{
    VideoMergeWrapper merge;
    merge.setTempDir((dir + "/tmp").toLocal8Bit().constData());
    const EncodeInfo info = finalRecord(320, 240);
    merge.setEncodeInfo(&info);
    for (const VideoInfo &file : files)
        merge.addFile(file);
    merge.setOutputPath(out);
    merge.start();
    merge.wait();
    return merge.status();
}

} // namespace

class TestMerge : public QObject {
    Q_OBJECT
private slots:
    void progressRule()
    {
        QCOMPARE(CFfmpegMerge::progressFor(0, 2, 0.5 + 0.2, 0, 0), 0.175f);
        QCOMPARE(CFfmpegMerge::progressFor(2, 2, 2.0, 0, 1000), 0.5f);
        QCOMPARE(CFfmpegMerge::progressFor(3, 2, 0, 500, 1000), 0.75f);
        QCOMPARE(CFfmpegMerge::progressFor(3, 2, 0, 990, 1000), 0.99f);
        QCOMPARE(CFfmpegMerge::progressFor(3, 2, 0, 5000, 1000), 0.99f);
        QCOMPARE(CFfmpegMerge::progressFor(3, 2, 0, -3000, 1000), 1.0f);
        // No part frames counted: no division by zero.
        QCOMPARE(CFfmpegMerge::progressFor(3, 2, 0, 10, 0), 0.5f);
    }

    void partRecordAndFilters()
    {
        VideoInfo v(QStringLiteral("/nonexistent/a.avi"));
        v.msStart = 1000;
        v.msEnd = 3000;
        const EncodeInfo part = CFfmpegMerge::partEncodeInfo(finalRecord(640, 480), v);
        QCOMPARE(part.width, 640);
        QCOMPARE(part.height, 480);
        QCOMPARE(QByteArray(part.videoEncoder), QByteArray("mpeg1video"));
        QCOMPARE(QByteArray(part.audioEncoder), QByteArray("mp2"));
        QCOMPARE(part.msStart, qint64(1000));
        QCOMPARE(part.msEnd, qint64(3000));
        QCOMPARE(part.videoBitrate, 4000000);
        QCOMPARE(part.frameRate, 25000);
        QCOMPARE(part.sampleRate, 48000);
        QCOMPARE(part.channels, 2);
        QCOMPARE(part.audioBitrate, 96000);
        QCOMPARE(part.constant16, 16);
        QCOMPARE(part.dvdFlag, 0);

        // Deinterlacing first, then the levels; no amplifier.
        v.effectChanged = true;
        v.deinterlace = 3;
        v.brightness = 5;
        v.amplifier = 50;
        RecordingSetters rec;
        CFfmpegMerge::applyPartFilters(v, rec, QString());
        QCOMPARE(rec.states.size(), 4);
        QVERIFY(rec.states[0].deinterlace);
        QCOMPARE(rec.states[0].deinterlaceMode, 2);
        QCOMPARE(rec.states[0].lightness, 0);
        QCOMPARE(rec.states[1].lightness, 5);
        QVERIFY(!rec.states.last().audioLevelSet);

        v.deinterlace = 0;
        RecordingSetters off;
        CFfmpegMerge::applyPartFilters(v, off, QString());
        QCOMPARE(off.states.size(), 4);
        QVERIFY(!off.states[0].deinterlace);
        v.deinterlace = 7;
        RecordingSetters none;
        CFfmpegMerge::applyPartFilters(v, none, QString());
        QCOMPARE(none.states.size(), 3);
    }

    void joinIsByteForByteAndStoppable()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + "/with blanks, 'quotes' & more";
        QVERIFY(QDir().mkpath(folder));
        QStringList files;
        QByteArray expected;
        for (int i = 0; i < 3; ++i) {
            const QByteArray bytes = QByteArray(1500000 + i, char('a' + i)) + QByteArray("\0\r\n", 3);
            QFile f(folder + QStringLiteral("/test%1.mpg").arg(i));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            files << f.fileName();
            expected += bytes;
        }
        const QString target = folder + "/test.mpg";
        std::atomic<int> stop{0};
        QVERIFY(CFfmpegMerge::joinFiles(files, target, stop));
        QFile joined(target);
        QVERIFY(joined.open(QIODevice::ReadOnly));
        QCOMPARE(joined.readAll(), expected);
        joined.close();

        QString error;
        QVERIFY(!CFfmpegMerge::joinFiles(files + QStringList{folder + "/missing.mpg"}, target, stop, &error));
        QVERIFY(error.contains("missing.mpg"));
        QVERIFY(!QFile::exists(target));
        stop = 1;
        QVERIFY(!CFfmpegMerge::joinFiles(files, target, stop));
        QVERIFY(!QFile::exists(target));
    }

    void oneFileProducesNothing()
    {
        const QString dir = TestMedia::tempDir();
        const QString clip = dir + "/one.mp4";
        QVERIFY(TestMedia::makeClip(clip, 1.0, 160, 120));
        CFfmpegMerge merge;
        merge.setTempDir(dir.toLocal8Bit().constData());
        const EncodeInfo info = finalRecord(160, 120);
        merge.setEncodeInfo(&info);
        merge.addFile(VideoInfo(clip));
        QCOMPARE(merge.run((dir + "/out.mp4").toLocal8Bit().constData()), 0);
        QCOMPARE(merge.status(), TRANSCODE_RUNNING);
        QCOMPARE(merge.partCount(), 0);
        QVERIFY(!QFile::exists(dir + "/out.mp4"));
        QVERIFY(!QFile::exists(dir + "/test0.mpg"));
    }

    void mergesThreeSections()
    {
        const QString dir = TestMedia::tempDir();
        const QString tmp = dir + "/tmp";
        QVERIFY(TestMedia::makeClip(dir + "/a.mp4", 2.0, 320, 240, "25"));
        QVERIFY(TestMedia::makeClip(dir + "/b.avi", 4.0, 320, 240, "30"));
        QVERIFY(TestMedia::makeClip(dir + "/c.mkv", 1.5, 640, 360, "25", 48000, 1));
        VideoInfo a(dir + "/a.mp4");
        VideoInfo b(VideoBasicInfo(dir + "/b.avi", 1000, 3000));
        VideoInfo c(dir + "/c.mkv");
        QVERIFY(a.isValid() && b.isValid() && c.isValid());
        b.effectChanged = true;
        b.deinterlace = 1;
        b.effect = 3;

        VideoMergeWrapper merge;
        merge.setTempDir(tmp.toLocal8Bit().constData());
        QCOMPARE(merge.tempDir(), tmp + "/");
        const EncodeInfo info = finalRecord(320, 240);
        merge.setEncodeInfo(&info);
        for (const VideoInfo *v : {&a, &b, &c})
            merge.addFile(*v);
        const QString out = dir + "/merged.mp4";
        merge.setOutputPath(out);
        QList<float> seen;
        merge.start();
        while (!merge.wait(50))
            seen << merge.progress();
        QCOMPARE(merge.runResult(), 1);
        QCOMPARE(merge.status(), TRANSCODE_FINISHED);
        QVERIFY2(merge.lastError().isEmpty(), qPrintable(merge.lastError()));
        const double expected = (a.msEnd + 2000 + c.msEnd) / 1000.0;
        const double got = TestMedia::durationSeconds(TestMedia::probe(out));
        QVERIFY2(qAbs(got - expected) <= 0.2, qPrintable(QStringLiteral("%1 vs %2").arg(got).arg(expected)));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(out, &errors), qPrintable(errors));
        QVERIFY(QFile::exists(tmp + "/test0.mpg"));
        QVERIFY(QFile::exists(tmp + "/test2.mpg"));
        QVERIFY(!QFile::exists(tmp + "/test.mpg"));
        for (float p : seen)
            QVERIFY(p >= 0.0f && p <= 0.99f);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()) || seen.size() < 2);
    }

    // Each part's sound encoder pads its last frame, and the parts' clocks
    // restart where they are joined: the pictures must neither gain a frame
    // at a join nor the sound fall behind by a padding at each join.
    void joinedPartsKeepPicturesAndSoundTogether()
    {
        const QString dir = TestMedia::tempDir() + "/sync";
        QDir().mkpath(dir);
        QStringList clips;
        for (int i = 0; i < 3; ++i) {
            clips << dir + QStringLiteral("/beep%1.mp4").arg(i);
            // Silence with a beep from 0.5 s to 1 s.
            QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=3", "-f",
                                       "lavfi", "-i",
                                       "aevalsrc=if(between(t\\,0.5\\,1)\\,sin(2*PI*440*t)\\,0):s=44100:d=3",
                                       "-c:v", "libx264", "-c:a", "aac", "-shortest", clips.last()}));
        }
        QList<VideoInfo> files;
        for (const QString &clip : clips)
            files << VideoInfo(clip);
        const QString out = dir + "/joined.mp4";
        QCOMPARE(mergeFiles(files, dir, out), TRANSCODE_FINISHED);
        QCOMPARE(TestMedia::decodedFrames(out), 3 * 75);
        const QList<double> onsets = TestMedia::soundOnsets(out);
        QVERIFY2(onsets.size() >= 3, qPrintable(QString::number(onsets.size())));
        for (int i = 0; i < 3; ++i)
            QVERIFY2(qAbs(onsets[i] - (3.0 * i + 0.5)) < 0.02,
                     qPrintable(QStringLiteral("beep %1 at %2 s").arg(i).arg(onsets[i])));
    }

    // A sound-only file among files with pictures plays over black: as the
    // first part it must not hide the later pictures, in the middle the
    // picture before it must not stand still.
    void soundOnlyPartsShowBlack()
    {
        const QString dir = TestMedia::tempDir() + "/soundonly";
        QDir().mkpath(dir);
        QVERIFY(TestMedia::makeClip(dir + "/tone.m4a", 2.0, 0, 0));
        QVERIFY(TestMedia::makeClip(dir + "/bars.mp4", 2.0, 320, 240));
        VideoInfo tone(dir + "/tone.m4a"), bars(dir + "/bars.mp4");
        QVERIFY(tone.isValid() && tone.isAudio && bars.isValid() && !bars.isAudio);
        const QString out = dir + "/merged.mp4";
        QCOMPARE(mergeFiles({tone, bars, tone}, dir, out), TRANSCODE_FINISHED);
        const QJsonObject p = TestMedia::probe(out);
        QVERIFY2(qAbs(TestMedia::durationSeconds(p) - 6.0) < 0.2,
                 qPrintable(QString::number(TestMedia::durationSeconds(p))));
        QCOMPARE(TestMedia::stream(p, "video").value("width").toInt(), 320);
        const int frames = TestMedia::decodedFrames(out);
        QVERIFY2(qAbs(frames - 150) <= 2, qPrintable(QString::number(frames)));
        const QList<QPair<double, double>> black = TestMedia::blackStretches(out);
        QCOMPARE(black.size(), 2);
        QVERIFY2(black[0].first < 0.05 && qAbs(black[0].second - 2.0) < 0.1,
                 qPrintable(QString::number(black[0].second)));
        QVERIFY2(qAbs(black[1].first - 4.0) < 0.1 && black[1].second > 5.8,
                 qPrintable(QString::number(black[1].first)));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(out, &errors), qPrintable(errors));
    }

    void stopDuringSecondPart()
    {
        const QString dir = TestMedia::tempDir();
        QStringList clips;
        for (int i = 0; i < 3; ++i) {
            clips << dir + QStringLiteral("/s%1.avi").arg(i);
            // Small and quick to make; the parts are scaled up, which keeps each busy a while.
            QVERIFY(TestMedia::makeClip(clips.last(), 6.0, 160, 120, "25", 44100, 2, {"-c:v", "mpeg4"}));
        }
        VideoMergeWrapper merge;
        merge.setTempDir(dir.toLocal8Bit().constData());
        const EncodeInfo info = finalRecord(720, 576);
        merge.setEncodeInfo(&info);
        for (const QString &clip : clips)
            merge.addFile(VideoInfo(clip));
        merge.setOutputPath(dir + "/stopped.mp4");
        merge.start();
        QTRY_VERIFY_WITH_TIMEOUT(merge.step() == 1 || merge.isFinished(), 60000);
        QCOMPARE(merge.step(), 1);
        merge.stopAndWait();
        QCOMPARE(merge.status(), TRANSCODE_STOPPED);
        QVERIFY(QFile::exists(dir + "/test0.mpg"));
        QVERIFY(!QFile::exists(dir + "/test1.mpg"));
        QVERIFY(!QFile::exists(dir + "/test2.mpg"));
        QVERIFY(!QFile::exists(dir + "/test.mpg"));
        QVERIFY(!QFile::exists(dir + "/stopped.mp4"));
        QCOMPARE(merge.partCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMerge)
#include "tst_merge.moc"
