#include "common/recordingsetters.h"
#include "common/testmedia.h"
#include "core/jobs/convertjob.h"
#include "core/jobs/videoconvertwrapper.h"
#include "core/media/videoinfo.h"
#include "core/profiles/videoprofileinfomanager.h"
#include "engine/av/filtersettings.h"

#include <QtEndian>
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
    p.audioBitrate = QStringLiteral("128000");
    p.channels = QStringLiteral("2");
    p.sampleRate = QStringLiteral("44100");
    p.audioEncoder = QStringLiteral("libvo_aacenc ");
    p.videoBitrate = QStringLiteral("1200000");
    p.frameRate = QStringLiteral("29970");
    p.width = 320;
    p.height = 240;
    p.videoEncoder = QStringLiteral("libx264");
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

    void encodeRecordBytes()
    {
        EncodeInfo info;
        std::memset(static_cast<void *>(&info), 0x5A, sizeof(info));
        QVERIFY(!ConvertJob::fillEncodeInfo(nullptr, static_cast<const JobProfile *>(nullptr), nullptr));
        QVERIFY(!ConvertJob::fillEncodeInfo(&info, static_cast<const JobProfile *>(nullptr), nullptr));
        QCOMPARE(bytesOf(info), QByteArray(144, 0x5A)); // untouched

        JobProfile p = mp4Profile();
        VideoInfo src = sourceRecord(25.0, 640, 360, 2000, 9000);
        QVERIFY(ConvertJob::fillEncodeInfo(&info, &p, &src));
        const QByteArray b = bytesOf(info);
        QCOMPARE(i32(b, 0), 0);
        QCOMPARE(i64(b, 8), qint64(2000));
        QCOMPARE(i64(b, 16), qint64(9000));
        QCOMPARE(i32(b, 48), 320);
        QCOMPARE(i32(b, 52), 240);
        QCOMPARE(i32(b, 56), 1200000);
        QCOMPARE(i32(b, 60), 29970);
        QCOMPARE(b.mid(64, 32), QByteArray("libx264").leftJustified(32, '\0'));
        QCOMPARE(i32(b, 96), 44100);
        QCOMPARE(i32(b, 100), 2);
        QCOMPARE(i32(b, 104), 128000);
        QCOMPARE(i32(b, 108), 16);
        // Untrimmed: the trailing blank goes through.
        QCOMPARE(b.mid(116, 28), QByteArray("libvo_aacenc ").leftJustified(28, '\0'));
        // Everything else is zero.
        for (int offset : {4, 24, 28, 32, 36, 40, 44, 112})
            QCOMPARE(i32(b, offset), 0);

        // Frame rate "0" keeps the source rate; 0 x 0 keeps the source size;
        // a lone 0 stays 0; non-numbers read as 0; the DVD flag ignores case.
        p.frameRate = QStringLiteral("0");
        p.width = 0;
        p.height = 0;
        p.name = QStringLiteral("DVD");
        p.videoBitrate = QStringLiteral("fast");
        src.fileInfo->frameRate = 29.97;
        QVERIFY(ConvertJob::fillEncodeInfo(&info, &p, &src));
        QCOMPARE(info.frameRate, 29970);
        QCOMPARE(info.width, 640);
        QCOMPARE(info.height, 360);
        QCOMPARE(info.dvdFlag, 1);
        QCOMPARE(info.videoBitrate, 0);
        // With an applied crop the kept size is the cropped picture's.
        src.cropChanged = true;
        src.cropWidth = 320;
        src.cropHeight = 180;
        QVERIFY(ConvertJob::fillEncodeInfo(&info, &p, &src));
        QCOMPARE(info.width, 320);
        QCOMPARE(info.height, 180);
        src.cropChanged = false;
        src.fileInfo->frameRate = 25.0;
        p.height = 480;
        QVERIFY(ConvertJob::fillEncodeInfo(&info, &p, &src));
        QCOMPARE(info.frameRate, 25000);
        QCOMPARE(info.width, 0);
        QCOMPARE(info.height, 480);

        // Names longer than their field are cut, keeping the terminator.
        p.videoEncoder = QString(40, QLatin1Char('v'));
        p.audioEncoder = QString(40, QLatin1Char('a'));
        QVERIFY(ConvertJob::fillEncodeInfo(&info, &p, &src));
        QCOMPARE(QByteArray(info.videoEncoder), QByteArray(31, 'v'));
        QCOMPARE(QByteArray(info.audioEncoder), QByteArray(27, 'a'));
        QCOMPARE(info.constant16, 16);
    }

    void builtInProfileDefaults()
    {
        const CVideoFormatInfo *dvd = CVideoProfileInfoManager::getInstance()->getFormatInfo("1023");
        QVERIFY(dvd);
        const JobProfile p = ConvertJob::jobProfile(*dvd);
        QCOMPARE(p.format, QStringLiteral(".mpg"));
        EncodeInfo info;
        QVERIFY(ConvertJob::fillEncodeInfo(&info, &p, nullptr));
        QCOMPARE(info.dvdFlag, 1);
        QCOMPARE(info.width, 720);
        QCOMPARE(info.height, 576);
        QCOMPARE(info.frameRate, 25000);
        QCOMPARE(QByteArray(info.videoEncoder), QByteArray("mpeg2video"));
        QCOMPARE(QByteArray(info.audioEncoder), QByteArray("ac3"));
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
        RecordingSetters rec;
        ConvertJob::applyFilters(v, rec, QStringLiteral("/tmp"));
        QVERIFY(rec.states.isEmpty());

        // Only the effect group: lightness, contrast, saturation, audio.
        v.brightness = 10;
        v.contrast = 20;
        v.saturation = 30;
        v.amplifier = 40;
        v.effectChanged = true;
        v.cropLeft = 8; // not applied: the crop group is unchanged
        ConvertJob::applyFilters(v, rec, QStringLiteral("/tmp"));
        QCOMPARE(rec.states.size(), 4);
        QCOMPARE(rec.states[0].lightness, 10);
        QCOMPARE(rec.states[0].contrast, 0);
        QCOMPARE(rec.states[1].contrast, 20);
        QCOMPARE(rec.states[2].saturation, 30);
        QVERIFY(!rec.states[2].audioLevelSet);
        QCOMPARE(rec.states[3].audioLevel, 40);
        QVERIFY(!rec.states[3].crop);

        // A deinterlacing mode comes first in the group.
        v.deinterlace = 2;
        RecordingSetters withDeinterlace;
        ConvertJob::applyFilters(v, withDeinterlace, QString());
        QCOMPARE(withDeinterlace.states.size(), 5);
        QVERIFY(withDeinterlace.states[0].deinterlace);
        QCOMPARE(withDeinterlace.states[0].deinterlaceMode, 1);
        QCOMPARE(withDeinterlace.states[0].lightness, 0);
    }

    void effectTable_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QList<bool>>("flags"); // blur, negate, deshake, sharp
        QTest::newRow("1") << 1 << QList<bool>{false, false, false, true};
        QTest::newRow("2") << 2 << QList<bool>{false, false, true, false};
        QTest::newRow("3") << 3 << QList<bool>{true, false, false, false};
        QTest::newRow("4") << 4 << QList<bool>{false, true, false, false};
    }
    void effectTable()
    {
        QFETCH(int, effect);
        QFETCH(QList<bool>, flags);
        VideoInfo v = sourceRecord(25, 320, 240, 0, 1000);
        v.effectChanged = true;
        v.effect = effect;
        RecordingSetters rec;
        ConvertJob::applyFilters(v, rec, QString());
        QCOMPARE(rec.states.size(), 8);
        const FilterSettings f = rec.states.last();
        QCOMPARE(QList<bool>({f.blur, f.negate, f.deshake, f.sharp}), flags);
    }

    void everyGroupInOrder()
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
        const QString srt = TestMedia::tempDir() + "/a.srt";
        QFile subs(srt);
        QVERIFY(subs.open(QIODevice::WriteOnly));
        subs.write("1\n00:00:00,000 --> 00:00:01,000\nHi\n");
        subs.close();
        v.subtitleFile = srt;
        v.subtitleColor = QColor(255, 0, 0);
        v.watermarkChanged = true;
        v.watermarkEnabled = true;
        v.watermarkType = 1;
        v.watermarkText = QStringLiteral("Hello");
        v.watermarkHorSpace = 12;
        v.watermarkVerSpace = 14;
        v.effectChanged = true;
        RecordingSetters rec;
        ConvertJob::applyFilters(v, rec, QStringLiteral("/tmp/a\\b"));
        QCOMPARE(rec.states.size(), 3 + 4);
        QVERIFY(rec.states[0].crop && !rec.states[0].subtitle);
        QCOMPARE(rec.states[0].cropWidth, 200);
        QVERIFY(rec.states[1].subtitle && !rec.states[1].textWatermark);
        QCOMPARE(QString::fromStdString(rec.states[1].subtitleFile), srt);
        QCOMPARE(QString::fromStdString(rec.states[1].subtitleWorkDir), QStringLiteral("/tmp/a\\b/"));
        QCOMPARE(rec.states[1].subtitleColor, qint64(255));
        QVERIFY(rec.states[1].subtitleCustomStyle);
        QVERIFY(rec.states[2].textWatermark);
        QCOMPARE(rec.states[2].textWatermarkColor, qint64(-1));
        QCOMPARE(rec.states[2].textWatermarkX, 12);
        QVERIFY(QFileInfo::exists(QString::fromStdString(rec.states[2].textWatermarkFontFile)));

        // An image watermark without an image and a subtitle without a file
        // make no call; a disabled subtitle is passed with the off flag.
        VideoInfo w = sourceRecord(25, 320, 240, 0, 1000);
        w.watermarkChanged = true;
        w.watermarkEnabled = true;
        w.subtitleChanged = true;
        RecordingSetters none;
        ConvertJob::applyFilters(w, none, QString());
        QVERIFY(none.states.isEmpty());
        w.subtitleFile = srt;
        ConvertJob::applyFilters(w, none, QString());
        QCOMPARE(none.states.size(), 1);
        QVERIFY(!none.states[0].subtitle);
    }

    void mirrorStyleAndPlacementAsPreviewed()
    {
        // The mirror set in the editor reaches the job (and only when set).
        VideoInfo v = sourceRecord(25, 320, 240, 0, 1000);
        v.flipChanged = true;
        v.hFlip = true;
        RecordingSetters rec;
        ConvertJob::applyFilters(v, rec, QString());
        QCOMPARE(rec.states.size(), 2);
        QVERIFY(rec.states.last().hFlip && !rec.states.last().vFlip);
        v.hFlip = false;
        v.vFlip = true;
        RecordingSetters both;
        ConvertJob::applyFilters(v, both, QString());
        QVERIFY(!both.states.last().hFlip && both.states.last().vFlip);

        // The subtitle's own style unless the custom style is chosen.
        VideoInfo s = sourceRecord(25, 320, 240, 0, 1000);
        const QString srt = TestMedia::tempDir() + "/style.srt";
        QFile subs(srt);
        QVERIFY(subs.open(QIODevice::WriteOnly));
        subs.write("1\n00:00:00,000 --> 00:00:01,000\nHi\n");
        subs.close();
        s.subtitleChanged = true;
        s.subtitleEnabled = true;
        s.subtitleFile = srt;
        RecordingSetters plain;
        ConvertJob::applyFilters(s, plain, QString());
        QVERIFY(plain.states.last().subtitle);
        QVERIFY(!plain.states.last().subtitleCustomStyle);

        // An image watermark stays off the right and bottom edges, as the
        // preview places it.
        VideoInfo w = sourceRecord(25, 1280, 720, 0, 1000);
        w.width = 1280;
        w.height = 720;
        w.watermarkChanged = true;
        w.watermarkEnabled = true;
        w.watermarkType = 0;
        w.watermarkImage = srt; // any existing file
        w.watermarkImageWidth = 200;
        w.watermarkImageHeight = 100;
        w.watermarkHorSpace = 1200;
        w.watermarkVerSpace = 20;
        RecordingSetters image;
        ConvertJob::applyFilters(w, image, QString());
        QCOMPARE(image.states.last().imageWatermarkX, 1070);
        QCOMPARE(image.states.last().imageWatermarkY, 20);
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
        p.frameRate = QStringLiteral("0");
        VideoConvertWrapper job;
        const QString out = ConvertJob::uniqueOutputPath(src, dir, p.format);
        QVERIFY(ConvertJob::prepare(job, p, v, dir));
        job.setOutputPath(out);
        job.start();
        QVERIFY(job.wait(60000));
        QCOMPARE(TranscodeStatus(job.GetLastConvetStatus()), TRANSCODE_FINISHED);
        const QJsonObject probe = TestMedia::probe(out);
        QCOMPARE(TestMedia::stream(probe, "video").value("codec_name").toString(), QStringLiteral("h264"));
        QCOMPARE(TestMedia::stream(probe, "video").value("width").toInt(), 320);
        QVERIFY(qAbs(TestMedia::durationSeconds(probe) - 1.5) < 0.2);
        QVERIFY(TestMedia::decodesCleanly(out));

        // The same transcoder takes the next job; the earlier edits are gone.
        VideoInfo plain{VideoBasicInfo(src)};
        QVERIFY(ConvertJob::prepare(job, p, plain, dir));
        QVERIFY(!job.filterSnapshot().sharp);
        const QString second = ConvertJob::uniqueOutputPath(src, dir, p.format);
        QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("clip(1).mp4"));
        job.setOutputPath(second);
        job.start();
        QVERIFY(job.wait(60000));
        QCOMPARE(TranscodeStatus(job.GetLastConvetStatus()), TRANSCODE_FINISHED);
        QVERIFY(qAbs(TestMedia::durationSeconds(TestMedia::probe(second)) - 3.0) < 0.2);
    }
};

QTEST_GUILESS_MAIN(TestConvertJob)
#include "tst_convertjob.moc"
