#include "common/testmedia.h"
#include "core/jobs/convertjob.h"
#include "core/jobs/jobfilters.h"
#include "core/jobs/transcodethread.h"
#include "core/media/videoinfo.h"
#include "core/profiles/videoprofileinfomanager.h"
#include "engine/av/filtersettings.h"

#include <QtTest>

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

// The filters the job of a file gets for its edits.
FilterSettings filtersOf(const VideoInfo &v, const QString &tempDir = QString(), QString *error = nullptr)
{
    FilterSettings f;
    f.lightness = 999; // proves that a refusal leaves the output alone
    JobFilters::forConversion(v, tempDir, &f, error);
    return f;
}

QString subtitleFile(const QString &name)
{
    const QString srt = TestMedia::tempDir() + "/" + name;
    QFile subs(srt);
    if (subs.open(QIODevice::WriteOnly))
        subs.write("1\n00:00:00,000 --> 00:00:01,000\nHi\n");
    return srt;
}

} // namespace

class TestConvertJob : public QObject {
    Q_OBJECT
private slots:
    void sourceRowRule()
    {
        QCOMPARE(ConvertJob::sourceRow(-1, false), 0);
        QCOMPARE(ConvertJob::sourceRow(1, false), 1);
        QCOMPARE(ConvertJob::sourceRow(1, true), 0);
    }

    void profileTextsReadOnce()
    {
        QCOMPARE(JobProfile::number(QStringLiteral("1200000")), int64_t(1200000));
        QCOMPARE(JobProfile::number(QStringLiteral("fast")), int64_t(0));
        QVERIFY(!JobProfile::frameRateOf(QStringLiteral("0")).isSet());
        QVERIFY(!JobProfile::frameRateOf(QStringLiteral("auto")).isSet());
        QCOMPARE(JobProfile::frameRateOf(QStringLiteral("29970")), (Rational{29970, 1000}));
        QCOMPARE(JobProfile::fitOf(0), FrameFit::Pad);
        QCOMPARE(JobProfile::fitOf(1), FrameFit::Stretch);
        QCOMPARE(JobProfile::fitOf(2), FrameFit::Crop);
        QVERIFY(JobProfile::isDvdName(QStringLiteral("DVD")) &&
                !JobProfile::isDvdName(QStringLiteral("DVD+")));
    }

    void jobOfOneFile()
    {
        JobProfile p = mp4Profile();
        p.splitMode = 1;
        p.splitSizeMb = 3;
        VideoInfo src = sourceRecord(25.0, 640, 360, 2000, 9000);
        TranscodeJob job;
        ProcessingOptions processing;
        processing.threads = 3;
        QVERIFY(ConvertJob::build(p, src, QStringLiteral("/out/clip.mp4"), QString(), processing, &job));
        QCOMPARE(job.inputs.size(), size_t(1));
        QCOMPARE(job.inputs[0].path, std::string("/nonexistent/clip.avi"));
        QCOMPARE(job.inputs[0].msStart, int64_t(2000));
        QCOMPARE(job.inputs[0].msEnd, int64_t(9000));
        QVERIFY(!job.blackPictureForSound);
        QCOMPARE(job.processing.threads, 3);
        const OutputSpec &o = job.output;
        QCOMPARE(o.path, std::string("/out/clip.mp4"));
        QVERIFY(!o.dvd);
        QCOMPARE(o.splitBytes, int64_t(3000000));
        QCOMPARE(o.splitMs, int64_t(0));
        QCOMPARE(o.video.codec, std::string("libx264"));
        QCOMPARE(o.video.width, 320);
        QCOMPARE(o.video.height, 240);
        QCOMPARE(o.video.frameRate, (Rational{29970, 1000}));
        QCOMPARE(std::get<RateControl::BitRate>(o.video.rate).bitsPerSecond, int64_t(1200000));
        QCOMPARE(o.video.fit, FrameFit::Pad);
        // The name goes as the profile has it; the engine reads it loosely.
        QCOMPARE(o.audio.codec, std::string("libvo_aacenc "));
        QCOMPARE(o.audio.sampleRate, 44100);
        QCOMPARE(o.audio.channels, 2);
        QCOMPARE(o.audio.bitRate, int64_t(128000));

        // No rate and 0 x 0 keep the source's; no encoder names take the
        // container's own; split by time.
        p.frameRate = Rational{};
        p.width = 0;
        p.height = 0;
        p.videoEncoder.clear();
        p.audioEncoder.clear();
        p.fit = FrameFit::Crop;
        p.splitMode = 2;
        p.splitMinutes = 2;
        const OutputSpec kept = ConvertJob::outputSpec(p, QStringLiteral("/out/clip.mp4"));
        QVERIFY(!kept.video.frameRate.isSet());
        QCOMPARE(kept.video.width, 0);
        QCOMPARE(kept.video.height, 0);
        QVERIFY(!kept.video.codec.empty());
        QVERIFY(!kept.audio.codec.empty());
        QCOMPARE(kept.video.fit, FrameFit::Crop);
        QCOMPARE(kept.splitBytes, int64_t(0));
        QCOMPARE(kept.splitMs, int64_t(120000));
        p.dvd = true;
        const OutputSpec dvd = ConvertJob::outputSpec(p, QStringLiteral("/out/clip.mpg"));
        QVERIFY(dvd.dvd);
        QCOMPARE(dvd.video.codec, std::string("mpeg2video"));
        QCOMPARE(dvd.audio.codec, std::string("ac3"));
    }

    void builtInProfileDefaults()
    {
        const CVideoFormatInfo *dvd = CVideoProfileInfoManager::getInstance()->getFormatInfo("1023");
        QVERIFY(dvd);
        const JobProfile p = ConvertJob::jobProfile(*dvd);
        QCOMPARE(p.format, QStringLiteral(".mpg"));
        QVERIFY(p.dvd);
        QCOMPARE(p.width, 720);
        QCOMPARE(p.height, 576);
        QCOMPARE(p.frameRate, (Rational{25000, 1000}));
        QCOMPARE(p.videoEncoder, QStringLiteral("mpeg2video"));
        QCOMPARE(p.audioEncoder, QStringLiteral("ac3"));
    }

    void colourPacking()
    {
        QCOMPARE(ConvertJob::textWatermarkColor(QColor(255, 255, 255), 255), qint64(-1));
        QCOMPARE(ConvertJob::subtitleColor(QColor(255, 0, 0), 0), qint64(255));
        QCOMPARE(ConvertJob::subtitleColor(QColor(0, 0, 255), 255), qint64(qint32(0xFFFF0000u)));
        QCOMPARE(ConvertJob::textWatermarkColor(QColor(0, 255, 0), 0), qint64(0x00FF0000));
        // Out-of-range opacity keeps to its byte.
        QCOMPARE(ConvertJob::subtitleColor(QColor(0, 0, 0), -1), qint64(qint32(0xFF000000u)));
    }

    void filtersOnlyForChangedGroups()
    {
        VideoInfo v = sourceRecord(25, 320, 240, 0, 1000);
        FilterSettings none = filtersOf(v, QStringLiteral("/tmp"));
        QCOMPARE(none.lightness, 0);
        QVERIFY(!none.audioLevelSet && !none.crop && !none.subtitle && !none.deinterlace);

        // Only the effect group: lightness, contrast, saturation, audio.
        v.brightness = 10;
        v.contrast = 20;
        v.saturation = 30;
        v.amplifier = 40;
        v.effectChanged = true;
        v.cropLeft = 8; // not applied: the crop group is unchanged
        const FilterSettings f = filtersOf(v, QStringLiteral("/tmp"));
        QCOMPARE(f.lightness, 10);
        QCOMPARE(f.contrast, 20);
        QCOMPARE(f.saturation, 30);
        QVERIFY(f.audioLevelSet);
        QCOMPARE(f.audioLevel, 40);
        QVERIFY(!f.crop && !f.deinterlace);
        QVERIFY(!f.blur && !f.negate && !f.deshake && !f.sharp);

        // A chosen deinterlacing mode is honoured, "none" leaves it off.
        v.deinterlace = 2;
        const FilterSettings d = filtersOf(v);
        QVERIFY(d.deinterlace);
        QCOMPARE(d.deinterlaceMode, 1);
        v.deinterlace = 0;
        QVERIFY(!filtersOf(v).deinterlace);
        // A merge's file keeps its sound level.
        FilterSettings merged;
        QVERIFY(JobFilters::forMergeInput(v, QString(), &merged));
        QCOMPARE(merged.lightness, 10);
        QVERIFY(!merged.audioLevelSet);
    }

    void effectTable_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QList<bool>>("flags"); // blur, negate, deshake, sharp
        QTest::newRow("1") << 1 << QList<bool>{false, false, false, true};
        QTest::newRow("2") << 2 << QList<bool>{false, false, true, false};
        QTest::newRow("3") << 3 << QList<bool>{true, false, false, false};
        QTest::newRow("4") << 4 << QList<bool>{false, true, false, false};
        QTest::newRow("unknown") << 7 << QList<bool>{false, false, false, false};
    }
    void effectTable()
    {
        QFETCH(int, effect);
        QFETCH(QList<bool>, flags);
        VideoInfo v = sourceRecord(25, 320, 240, 0, 1000);
        v.effectChanged = true;
        v.effect = effect;
        const FilterSettings f = filtersOf(v);
        QCOMPARE(QList<bool>({f.blur, f.negate, f.deshake, f.sharp}), flags);
    }

    void everyGroup()
    {
        VideoInfo v = sourceRecord(25, 320, 240, 0, 1000);
        v.cropChanged = true;
        v.cropLeft = 4;
        v.cropTop = 6;
        v.cropWidth = 200;
        v.cropHeight = 100;
        v.subtitleChanged = true;
        v.subtitleEnabled = true;
        v.subtitleCustomize = true;
        const QString srt = subtitleFile("a.srt");
        v.subtitleFile = srt;
        v.subtitleColor = QColor(255, 0, 0);
        v.watermarkChanged = true;
        v.watermarkEnabled = true;
        v.watermarkType = 1;
        v.watermarkText = QStringLiteral("Hello");
        v.watermarkHorSpace = 12;
        v.watermarkVerSpace = 14;
        v.effectChanged = true;
        const FilterSettings f = filtersOf(v, QStringLiteral("/tmp/a\\b"));
        QVERIFY(f.crop);
        QCOMPARE(f.cropLeft, 4);
        QCOMPARE(f.cropTop, 6);
        QCOMPARE(f.cropWidth, 200);
        QCOMPARE(f.cropHeight, 100);
        QVERIFY(f.subtitle);
        QCOMPARE(QString::fromStdString(f.subtitleFile), srt);
        QCOMPARE(QString::fromStdString(f.subtitleWorkDir), QStringLiteral("/tmp/a\\b/"));
        QCOMPARE(f.subtitleColor, qint64(255));
        QVERIFY(f.subtitleCustomStyle);
        QVERIFY(f.textWatermark && !f.imageWatermark);
        QCOMPARE(QString::fromStdString(f.textWatermarkText), QStringLiteral("Hello"));
        QCOMPARE(f.textWatermarkColor, qint64(-1));
        QCOMPARE(f.textWatermarkX, 12);
        QCOMPARE(f.textWatermarkY, 14);
        // The font is found here, once, not by the engine.
        QVERIFY(QFileInfo::exists(QString::fromStdString(f.textWatermarkFontFile)));

        // An image watermark without an image and a subtitle without a file
        // add nothing; a disabled subtitle stays off.
        VideoInfo w = sourceRecord(25, 320, 240, 0, 1000);
        w.watermarkChanged = true;
        w.watermarkEnabled = true;
        w.subtitleChanged = true;
        FilterSettings nothing = filtersOf(w);
        QVERIFY(!nothing.imageWatermark && !nothing.textWatermark && !nothing.subtitle);
        w.subtitleFile = srt;
        QVERIFY(!filtersOf(w).subtitle);

        // A subtitle file that does not read as subtitles refuses the job.
        const QString bogus = TestMedia::tempDir() + "/bogus.srt";
        QFile junk(bogus);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(64, '\x01'));
        junk.close();
        w.subtitleEnabled = true;
        w.subtitleFile = bogus;
        QString error;
        FilterSettings refused;
        QVERIFY(!JobFilters::forConversion(w, QString(), &refused, &error));
        QVERIFY(error.contains(QStringLiteral("bogus.srt")));
        TranscodeJob job;
        QVERIFY(
            !ConvertJob::build(mp4Profile(), w, QStringLiteral("/out/x.mp4"), QString(), {}, &job, &error));
        QVERIFY(job.inputs.empty());
    }

    void mirrorStyleAndPlacementAsPreviewed()
    {
        // The mirror set in the editor reaches the job (and only when set).
        VideoInfo v = sourceRecord(25, 320, 240, 0, 1000);
        v.hFlip = true;
        QVERIFY(!filtersOf(v).hFlip);
        v.flipChanged = true;
        FilterSettings f = filtersOf(v);
        QVERIFY(f.hFlip && !f.vFlip);
        v.hFlip = false;
        v.vFlip = true;
        f = filtersOf(v);
        QVERIFY(!f.hFlip && f.vFlip);

        // The subtitle's own style unless the custom style is chosen.
        VideoInfo s = sourceRecord(25, 320, 240, 0, 1000);
        s.subtitleChanged = true;
        s.subtitleEnabled = true;
        s.subtitleFile = subtitleFile("style.srt");
        f = filtersOf(s);
        QVERIFY(f.subtitle);
        QVERIFY(!f.subtitleCustomStyle);

        // An image watermark stays off the right and bottom edges, as the
        // preview places it.
        VideoInfo w = sourceRecord(25, 1280, 720, 0, 1000);
        w.width = 1280;
        w.height = 720;
        w.watermarkChanged = true;
        w.watermarkEnabled = true;
        w.watermarkType = 0;
        w.watermarkImage = s.subtitleFile; // any existing file
        w.watermarkImageWidth = 200;
        w.watermarkImageHeight = 100;
        w.watermarkHorSpace = 1200;
        w.watermarkVerSpace = 20;
        f = filtersOf(w);
        QVERIFY(f.imageWatermark);
        QCOMPARE(f.imageWatermarkWidth, 200);
        QCOMPARE(f.imageWatermarkX, 1070);
        QCOMPARE(f.imageWatermarkY, 20);
    }

    void itunesOnlyAfterSuccess()
    {
        QVERIFY(ConvertJob::afterJob(TRANSCODE_FINISHED, "iPod classic", true, "/out/a.mp4"));
        QVERIFY(!ConvertJob::afterJob(TRANSCODE_FAILED, "iPod classic", true, "/out/a.mp4"));
        QVERIFY(!ConvertJob::afterJob(TRANSCODE_FINISHED, "DVD", true, "/out/a.mpg"));
        QVERIFY(!ConvertJob::afterJob(TRANSCODE_FINISHED, "iPod classic", false, "/out/a.mp4"));
    }

    void uniqueNames()
    {
        const QString dir = TestMedia::tempDir() + "/names";
        QVERIFY(QDir().mkpath(dir));
        QCOMPARE(ConvertJob::uniqueOutputPath("/v/clip.avi", dir, ".mp4"), dir + "/clip.mp4");
        QFile f(dir + "/clip.mp4");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(ConvertJob::uniqueOutputPath("/v/clip.avi", dir + "/", ".mp4"), dir + "/clip(1).mp4");
        QCOMPARE(ConvertJob::uniqueOutputPath("/v/clip.avi", dir, ".mp4", {dir + "/clip(1).mp4"}),
                 dir + "/clip(2).mp4");
        QCOMPARE(ConvertJob::uniqueOutputPath("/v/a.b.avi", dir, ".mp3"), dir + "/a.b.mp3");
        QCOMPARE(ConvertJob::uniqueOutputPath("/v/noext", dir, ".mp3"), dir + "/noext.mp3");
        QVERIFY(ConvertJob::uniqueOutputPath(QString(), dir, ".mp3").isEmpty());
        QVERIFY(ConvertJob::uniqueOutputPath("/v/a.avi", QString(), ".mp3").isEmpty());
    }

    void convertsOneFileOnItsThread()
    {
        const QString dir = TestMedia::tempDir();
        const QString src = dir + "/clip.avi";
        QVERIFY(TestMedia::makeClip(src, 3.0, 320, 240, "25"));
        VideoInfo v{VideoBasicInfo(src, 1000, 2500)};
        QVERIFY(v.isValid());
        v.effectChanged = true;
        v.effect = 2;
        v.brightness = 20;
        JobProfile p = mp4Profile();
        p.width = 0;
        p.height = 0;
        p.frameRate = Rational{};
        const QString out = ConvertJob::uniqueOutputPath(src, dir, p.format);
        TranscodeJob job;
        QVERIFY(ConvertJob::build(p, v, out, dir, {}, &job));
        QVERIFY(job.inputs[0].filters.deshake);
        TranscodeThread worker(std::move(job));
        worker.start();
        QVERIFY(worker.wait(60000));
        QVERIFY2(worker.result().ok(), worker.result().reason.c_str());
        QCOMPARE(worker.result().outputs, std::vector<std::string>{out.toStdString()});
        QVERIFY(worker.result().frames > 0);
        QCOMPARE(worker.progress(), 1.0);
        const QJsonObject probe = TestMedia::probe(out);
        QCOMPARE(TestMedia::stream(probe, "video").value("codec_name").toString(), QStringLiteral("h264"));
        QCOMPARE(TestMedia::stream(probe, "video").value("width").toInt(), 320);
        QVERIFY(qAbs(TestMedia::durationSeconds(probe) - 1.5) < 0.2);
        QVERIFY(TestMedia::decodesCleanly(out));
        QCOMPARE(QFileInfo(ConvertJob::uniqueOutputPath(src, dir, p.format)).fileName(),
                 QStringLiteral("clip(1).mp4"));
    }
};

QTEST_GUILESS_MAIN(TestConvertJob)
#include "tst_convertjob.moc"
