// The merge: the files of the list joined in order in one encode, each with
// its own section and edits, through the job the conversion panel and the
// command-line tool run, and through the older record interface.

#include "common/pictureparts.h"
#include "common/testmedia.h"
#include "core/jobs/conversionrun.h"
#include "core/jobs/mergejob.h"
#include "core/media/videoinfo.h"
#include "core/platform/workfolder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

using PictureParts::distinctPictures;
using PictureParts::partPsnr;

JobProfile mp4Profile(int width, int height, Rational rate, int64_t videoBitrate = 800000)
{
    JobProfile p;
    p.name = QStringLiteral("MP4");
    p.format = QStringLiteral(".mp4");
    p.audioBitrate = 128000;
    p.channels = 2;
    p.sampleRate = 48000;
    p.audioEncoder = QStringLiteral("aac");
    p.videoBitrate = videoBitrate;
    p.frameRate = rate;
    p.width = width;
    p.height = height;
    p.videoEncoder = QStringLiteral("libx264");
    return p;
}

// A record that was never probed, with a hand-made probe block.
VideoInfo record(const QString &path, double fps, int width, int height, int start, int end)
{
    VideoInfo v(path);
    v.fileInfo = std::make_unique<FileInfo>();
    v.fileInfo->frameRate = fps;
    v.fileInfo->width = width;
    v.fileInfo->height = height;
    v.msStart = start;
    v.msEnd = end;
    return v;
}

QStringList workFolders(const QString &parent)
{
    return QDir(parent).entryList({QString(WorkFolder::kPrefix) + "*"}, QDir::Dirs);
}

// One job of a run on its own: how it ended, and the run's progress as it
// was seen meanwhile.  during() is called while the job runs.
JobOutcome runJob(ConversionRun &run, QList<double> *seen = nullptr,
                  const std::function<void(ConversionRun &)> &during = {})
{
    run.setPostTaskSource([] { return 0; });
    QList<JobOutcome> ends;
    QObject::connect(&run, &ConversionRun::jobFinished, [&ends](const JobOutcome &o) { ends << o; });
    QSignalSpy finished(&run, &ConversionRun::finished);
    if (!run.start())
        return {};
    QElapsedTimer clock;
    clock.start();
    while (finished.isEmpty() && clock.elapsed() < 280000) {
        QTest::qWait(50);
        if (seen && run.isRunning())
            *seen << run.progress();
        if (during && run.isRunning())
            during(run);
    }
    return ends.value(0);
}

JobOutcome merge(const JobProfile &profile, const std::vector<VideoInfo> &files, const QString &folder,
                 const QString &tempDir, QList<double> *seen = nullptr)
{
    ConversionRun run;
    run.addMerge(profile, files, folder, tempDir);
    return runJob(run, seen);
}

} // namespace

class TestMerge : public QObject {
    Q_OBJECT
private slots:
    // The job of a merge: the files in order with their own sections and
    // edits; the frame and rate where the profile leaves them to the source
    // are the first file's.
    void oneJobOfAllFiles()
    {
        const JobProfile sized = mp4Profile(640, 480, Rational{60, 1});
        std::vector<VideoInfo> files;
        files.push_back(record("/nonexistent/a.avi", 29.97, 720, 576, 0, 2000));
        QString error;
        TranscodeJob job;
        QVERIFY(!MergeJob::build(sized, files, "/out/m.mp4", "/work", {}, &job, &error));
        QCOMPARE(error, MergeJob::tooFewFilesText());

        files.push_back(record("/nonexistent/b.mkv", 25.0, 320, 240, 1000, 3000));
        files.push_back(record("/nonexistent/c.m4a", 0.0, 0, 0, 0, -1));
        files[2].isAudio = true;
        // Deinterlacing and the levels; a merge's file keeps its sound level.
        files[1].effectChanged = true;
        files[1].deinterlace = 3;
        files[1].brightness = 5;
        files[1].amplifier = 50;
        files[1].effect = 4;
        ProcessingOptions processing;
        processing.threads = 2;
        QVERIFY(MergeJob::build(sized, files, "/out/m.mp4", "/work", processing, &job, &error));
        QCOMPARE(job.inputs.size(), size_t(3));
        QCOMPARE(job.inputs[0].path, std::string("/nonexistent/a.avi"));
        QCOMPARE(job.inputs[1].path, std::string("/nonexistent/b.mkv"));
        QCOMPARE(job.inputs[1].msStart, int64_t(1000));
        QCOMPARE(job.inputs[1].msEnd, int64_t(3000));
        QCOMPARE(job.inputs[2].msEnd, int64_t(-1));
        const FilterSettings &edited = job.inputs[1].filters;
        QVERIFY(edited.deinterlace);
        QCOMPARE(edited.deinterlaceMode, 2);
        QCOMPARE(edited.lightness, 5);
        QVERIFY(edited.negate);
        QVERIFY(!edited.audioLevelSet);
        QVERIFY(!job.inputs[0].filters.negate && !job.inputs[2].filters.negate);
        QVERIFY(job.blackPictureForSound);
        QCOMPARE(job.processing.threads, 2);
        QCOMPARE(job.output.path, std::string("/out/m.mp4"));
        QCOMPARE(job.output.video.width, 640);
        QCOMPARE(job.output.video.frameRate, (Rational{60, 1}));

        // Left to the source: the first file's frame (as cropped) and rate.
        files[0].cropChanged = true;
        files[0].cropWidth = 704;
        files[0].cropHeight = 400;
        QVERIFY(MergeJob::build(mp4Profile(0, 0, {}), files, "/out/m.mp4", "/work", {}, &job));
        QCOMPARE(job.output.video.width, 704);
        QCOMPARE(job.output.video.height, 400);
        QCOMPARE(job.output.video.frameRate, (Rational{30000, 1001}));
        QCOMPARE(MergeJob::rateOf(25.0), (Rational{25000, 1000}));
        QVERIFY(!MergeJob::rateOf(0.0).isSet());

        // Sound only: no black pictures to make.
        files[0].isAudio = files[1].isAudio = true;
        QVERIFY(MergeJob::build(sized, files, "/out/m.mp4", "/work", {}, &job));
        QVERIFY(!job.blackPictureForSound);

        // A subtitle that cannot be read fails the merge with the file named;
        // one that can is rendered in the merge's work folder.
        const QString srt = TestMedia::tempDir() + "/ok.srt";
        QFile subs(srt);
        QVERIFY(subs.open(QIODevice::WriteOnly));
        subs.write("1\n00:00:00,000 --> 00:00:01,000\nHi\n");
        subs.close();
        files[1].subtitleChanged = true;
        files[1].subtitleEnabled = true;
        files[1].subtitleFile = srt;
        QVERIFY(MergeJob::build(sized, files, "/out/m.mp4", "/work", {}, &job));
        QCOMPARE(job.inputs[1].filters.subtitleWorkDir, std::string("/work/"));
        files[1].subtitleFile = "/nonexistent/none.srt";
        QVERIFY(!MergeJob::build(sized, files, "/out/m.mp4", "/work", {}, &job, &error));
        QVERIFY2(error.startsWith("/nonexistent/b.mkv: ") && error.contains("none.srt"), qPrintable(error));
    }

    // Three clips of other sizes, shapes and rates into 1280x720 at 60 fps:
    // every part in place with its sound, the 60 fps part with all its
    // pictures, and each part as good as converting that clip alone.
    void threeClipsInOnePass()
    {
        const QString dir = TestMedia::tempDir() + "/three";
        const QString work = dir + "/work";
        QVERIFY(QDir().mkpath(work));
        const struct {
            const char *name;
            int width, height, rate;
        } clips[] = {
            {"a1080p60.mp4", 1920, 1080, 60}, {"b720p30.mp4", 1280, 720, 30}, {"c480p25.mp4", 640, 480, 25}};
        std::vector<VideoInfo> files;
        for (const auto &c : clips) {
            const QString path = dir + "/" + c.name;
            // The tone of each starts 1 s in: where each part's sound lands shows.
            QVERIFY(
                TestMedia::makeClip(path, 5.0, c.width, c.height, QString::number(c.rate), 44100, 2,
                                    {"-af", "adelay=1000:all=1", "-c:v", "libx264", "-preset", "ultrafast"}));
            files.emplace_back(path);
            QVERIFY(files.back().isValid());
        }
        // MPEG-4 Part 2 at a high rate: quick to encode, and as good as the
        // sources for the comparison.
        JobProfile profile = mp4Profile(1280, 720, Rational{60, 1}, 20000000);
        profile.videoEncoder = QStringLiteral("mpeg4");
        QList<double> seen;
        const JobOutcome joined = merge(profile, files, dir, work, &seen);
        QCOMPARE(joined.status, TRANSCODE_FINISHED);
        QCOMPARE(joined.kind, ConversionKind::Merge);
        QCOMPARE(joined.outputPaths, QStringList{dir + "/a1080p60(1).mp4"});
        const QString out = joined.outputPath;
        // The merge's progress stays within its range; its work folder goes with it.
        for (double p : seen)
            QVERIFY2(p >= 0.0 && p <= 0.99, qPrintable(QString::number(p)));
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        QVERIFY(workFolders(work).isEmpty());

        const QJsonObject probe = TestMedia::probe(out);
        const QJsonObject video = TestMedia::stream(probe, "video");
        QCOMPARE(video.value("width").toInt(), 1280);
        QCOMPARE(video.value("height").toInt(), 720);
        QCOMPARE(video.value("avg_frame_rate").toString(), QStringLiteral("60/1"));
        QCOMPARE(TestMedia::stream(probe, "audio").value("sample_rate").toString(), QStringLiteral("48000"));
        QVERIFY2(qAbs(TestMedia::durationSeconds(probe) - 15.0) < 0.1,
                 qPrintable(QString::number(TestMedia::durationSeconds(probe))));
        const QList<double> onsets = TestMedia::soundOnsets(out);
        QCOMPARE(onsets.size(), 3);
        for (int k = 0; k < 3; ++k)
            QVERIFY2(qAbs(onsets[k] - (5.0 * k + 1.0)) < 0.05, qPrintable(QString::number(onsets[k])));
        const int sixty = distinctPictures(out, 0.0, 5.0);
        QVERIFY2(sixty >= 299, qPrintable(QString::number(sixty)));

        for (int k = 0; k < 3; ++k) {
            ConversionRun run;
            const QString alone = run.addConversion(profile, files[size_t(k)], dir + "/alone", work);
            QVERIFY(QDir().mkpath(dir + "/alone"));
            QCOMPARE(runJob(run).status, TRANSCODE_FINISHED);
            const double psnr = partPsnr(out, 5.0 * k, 5.0, alone);
            QVERIFY2(psnr >= 40.0, qPrintable(QStringLiteral("part %1: %2 dB").arg(k).arg(psnr)));
        }
    }

    // Sections cut from each file and one file's effects: the parts land
    // with their lengths.
    void sectionsAndEffects()
    {
        const QString dir = TestMedia::tempDir() + "/sections";
        QVERIFY(QDir().mkpath(dir));
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
        const JobOutcome joined = merge(mp4Profile(320, 240, Rational{25000, 1000}), {a, b, c}, dir, dir);
        QCOMPARE(joined.status, TRANSCODE_FINISHED);
        const double expected = (a.msEnd + 2000 + c.msEnd) / 1000.0;
        const double got = TestMedia::durationSeconds(TestMedia::probe(joined.outputPath));
        QVERIFY2(qAbs(got - expected) <= 0.2, qPrintable(QStringLiteral("%1 vs %2").arg(got).arg(expected)));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(joined.outputPath, &errors), qPrintable(errors));
    }

    // Where the files meet, the pictures neither gain a frame nor the sound
    // fall behind.
    void joinsKeepPicturesAndSoundTogether()
    {
        const QString dir = TestMedia::tempDir() + "/sync";
        QVERIFY(QDir().mkpath(dir));
        std::vector<VideoInfo> files;
        for (int i = 0; i < 3; ++i) {
            const QString clip = dir + QStringLiteral("/beep%1.mp4").arg(i);
            // Silence with a beep from 0.5 s to 1 s.
            QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=3", "-f",
                                       "lavfi", "-i",
                                       "aevalsrc=if(between(t\\,0.5\\,1)\\,sin(2*PI*440*t)\\,0):s=44100:d=3",
                                       "-c:v", "libx264", "-c:a", "aac", "-shortest", clip}));
            files.emplace_back(clip);
        }
        const JobOutcome joined = merge(mp4Profile(320, 240, Rational{25000, 1000}), files, dir, dir);
        QCOMPARE(joined.status, TRANSCODE_FINISHED);
        QCOMPARE(TestMedia::decodedFrames(joined.outputPath), 3 * 75);
        const QList<double> onsets = TestMedia::soundOnsets(joined.outputPath);
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
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(TestMedia::makeClip(dir + "/tone.m4a", 2.0, 0, 0));
        QVERIFY(TestMedia::makeClip(dir + "/bars.mp4", 2.0, 320, 240));
        VideoInfo tone(dir + "/tone.m4a"), bars(dir + "/bars.mp4");
        QVERIFY(tone.isValid() && tone.isAudio && bars.isValid() && !bars.isAudio);
        const JobOutcome joined =
            merge(mp4Profile(320, 240, Rational{25000, 1000}), {tone, bars, tone}, dir, dir);
        QCOMPARE(joined.status, TRANSCODE_FINISHED);
        const QString out = joined.outputPath;
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

    // A stop while the files are joined leaves no output and no work folder.
    void stopWhileJoining()
    {
        const QString dir = TestMedia::tempDir() + "/stop";
        QVERIFY(QDir().mkpath(dir));
        std::vector<VideoInfo> files;
        for (int i = 0; i < 3; ++i) {
            const QString clip = dir + QStringLiteral("/s%1.avi").arg(i);
            // Small and quick to make; scaled up, which keeps the merge busy a while.
            QVERIFY(TestMedia::makeClip(clip, 6.0, 160, 120, "25", 44100, 2, {"-c:v", "mpeg4"}));
            files.emplace_back(clip);
        }
        ConversionRun run;
        const QString out = run.addMerge(mp4Profile(720, 576, Rational{25000, 1000}), files, dir, dir);
        bool stopped = false;
        const JobOutcome end = runJob(run, nullptr, [&stopped](ConversionRun &r) {
            if (!stopped && r.progress() > 0.1) {
                stopped = true;
                r.stop();
            }
        });
        QVERIFY(stopped);
        QCOMPARE(end.status, TRANSCODE_STOPPED);
        QVERIFY(end.error.isEmpty());
        QCOMPARE(run.lastOutcome().message, QStringLiteral("Merge Aborted."));
        QVERIFY(!QFile::exists(out));
        QVERIFY(workFolders(dir).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMerge)
#include "tst_merge.moc"
