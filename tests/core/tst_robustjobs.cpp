// Jobs a user can trust: names taken as they are (a backslash is part of a
// Linux file name), edits refused with a reason instead of dropped, outputs
// readable like any saved file, and nothing of a killed run left lying
// about for ever.

#include "common/testmedia.h"
#include "core/jobs/conversionrun.h"
#include "core/media/videoinfo.h"
#include "core/media/videoinfomanager.h"
#include "core/platform/stalefiles.h"
#include "core/platform/workfolder.h"
#include "core/profiles/encoderchoice.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

JobProfile smallMp4()
{
    JobProfile p;
    p.name = QStringLiteral("MP4 Video");
    p.format = QStringLiteral(".mp4");
    p.audioBitrate = 64000;
    p.channels = 2;
    p.sampleRate = 44100;
    p.audioEncoder = QStringLiteral("aac");
    p.videoBitrate = 400000;
    p.frameRate = Rational{}; // the source's
    p.width = 320;
    p.height = 240;
    p.videoEncoder = QStringLiteral("h264");
    return p;
}

// Sets a path's modification time an hour back (a leftover of long ago).
bool makeOld(const QString &path)
{
    struct timeval times[2];
    gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= 3600;
    times[1] = times[0];
    return ::lutimes(QFile::encodeName(path).constData(), times) == 0;
}

bool touch(const QString &path, const QByteArray &content = "x")
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// The grey picture of a file at 0.5 s, as bytes.
QByteArray pictureAt(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), {"-v", "error", "-nostdin", "-ss", "0.5", "-i", path, "-frames:v", "1",
                                       "-f", "rawvideo", "-pix_fmt", "gray", "-"});
    p.waitForFinished(60000);
    return p.readAllStandardOutput();
}

// How many pixels of two pictures differ clearly.
int differingPixels(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        n += qAbs(int(quint8(a[i])) - int(quint8(b[i]))) > 40 ? 1 : 0;
    return n;
}

struct Ended {
    QList<JobOutcome> jobs;
    bool done = false;
};

} // namespace

class TestRobustJobs : public QObject {
    Q_OBJECT

    QString m_dir;
    QString m_clip;

    Ended runToEnd(ConversionRun &run)
    {
        Ended ended;
        QObject::connect(&run, &ConversionRun::jobFinished,
                         [&](const JobOutcome &job) { ended.jobs << job; });
        QObject::connect(&run, &ConversionRun::finished, [&](const RunOutcome &) { ended.done = true; });
        run.setPostTaskSource([] { return 0; });
        if (!run.start())
            return ended;
        QElapsedTimer clock;
        clock.start();
        while (!ended.done && clock.elapsed() < 180000)
            QTest::qWait(20);
        return ended;
    }

    JobOutcome convertOne(const VideoInfo &source, const QString &folder)
    {
        // As both front ends do: the folder is made, or the run refused.
        if (!ConversionRun::outputFolderProblem(folder).isEmpty())
            return {};
        ConversionRun run;
        run.addConversion(smallMp4(), source, folder, m_dir);
        const Ended ended = runToEnd(run);
        return ended.jobs.value(0);
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 1.5, 320, 240));
    }

    void backslashesArePartOfNames()
    {
        // Input, subtitle, watermark and output folder all carry a backslash.
        const QString input = m_dir + "/in\\put.mp4";
        QVERIFY(QFile::copy(m_clip, input));
        const QString subs = m_dir + "/sub\\titles.srt";
        QVERIFY(touch(subs, "1\n00:00:00,000 --> 00:00:01,500\nBACKSLASH\n"));
        const QString mark = m_dir + "/water\\mark.png";
        // Black and white squares: half of it stands out on any background.
        QImage logo(80, 60, QImage::Format_RGB32);
        for (int y = 0; y < logo.height(); ++y)
            for (int x = 0; x < logo.width(); ++x)
                logo.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        QVERIFY(logo.save(mark));
        const QString folder = m_dir + "/out\\folder";

        VideoInfo plain(input);
        QVERIFY2(plain.isValid(), qPrintable(plain.probeError));
        QCOMPARE(plain.displayName(), QStringLiteral("in\\put.mp4"));
        const JobOutcome bare = convertOne(plain, m_dir + "/plain");
        QCOMPARE(bare.status, TRANSCODE_FINISHED);

        VideoInfo edited(input);
        edited.subtitleChanged = edited.subtitleEnabled = true;
        edited.subtitleFile = subs;
        edited.watermarkChanged = edited.watermarkEnabled = true;
        edited.watermarkType = 0;
        edited.watermarkImage = mark;
        edited.watermarkImageWidth = 80;
        edited.watermarkImageHeight = 60;
        const JobOutcome job = convertOne(edited, folder);
        QVERIFY2(job.status == TRANSCODE_FINISHED, qPrintable(job.error));
        QCOMPARE(job.outputPath, folder + "/in\\put.mp4");
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"in\\put.mp4"});
        QVERIFY(!QFileInfo::exists(m_dir + "/out")); // no folder cut at the backslash
        QVERIFY(TestMedia::decodesCleanly(job.outputPath));
        // The subtitle and the watermark are in the picture.
        const int changed = differingPixels(pictureAt(bare.outputPath), pictureAt(job.outputPath));
        QVERIFY2(changed > 80 * 60 / 3, qPrintable(QString::number(changed)));
    }

    void refusedEditsFailTheJobWithTheReason()
    {
        const QString junk = m_dir + "/junk.srt";
        QVERIFY(touch(junk, "no subtitles in here\n"));
        VideoInfo source(m_clip);
        QVERIFY(source.isValid());
        source.subtitleChanged = source.subtitleEnabled = true;
        source.subtitleFile = junk;
        const QString folder = m_dir + "/refused";
        const JobOutcome job = convertOne(source, folder);
        QCOMPARE(job.status, TRANSCODE_FAILED);
        QVERIFY2(job.error.contains(QLatin1String("cannot be read as subtitles")) && job.error.contains(junk),
                 qPrintable(job.error));
        QVERIFY(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());

        // The merge refuses it the same way, before encoding anything.
        ConversionRun run;
        VideoInfo other(m_clip);
        QVERIFY(other.isValid());
        run.addMerge(smallMp4(), {other, source}, folder, m_dir);
        const Ended ended = runToEnd(run);
        QCOMPARE(ended.jobs.value(0).status, TRANSCODE_FAILED);
        QVERIFY2(ended.jobs.value(0).error.contains(QLatin1String("cannot be read as subtitles")),
                 qPrintable(ended.jobs.value(0).error));
        QVERIFY(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());

        // A crop outside the picture: the engine's reason reaches the outcome.
        VideoInfo cropped(m_clip);
        QVERIFY(cropped.isValid());
        cropped.cropChanged = true;
        cropped.cropLeft = 300;
        cropped.cropTop = 0;
        cropped.cropWidth = 100;
        cropped.cropHeight = 100;
        const JobOutcome crop = convertOne(cropped, folder);
        QCOMPARE(crop.status, TRANSCODE_FAILED);
        QVERIFY2(crop.error.contains(QLatin1String("does not fit in the 320x240 picture")),
                 qPrintable(crop.error));
    }

    void aRunWithAFailedJobNeverReachesTheEnd()
    {
        VideoInfo good(m_clip), bad(m_clip);
        QVERIFY(good.isValid() && bad.isValid());
        bad.cropChanged = true;
        bad.cropWidth = bad.cropHeight = 5000; // refused by the engine
        const QString folder = m_dir + "/partly";
        QVERIFY(ConversionRun::outputFolderProblem(folder).isEmpty());
        ConversionRun run;
        run.addConversion(smallMp4(), good, folder, m_dir);
        run.addConversion(smallMp4(), bad, folder, m_dir);
        const Ended ended = runToEnd(run);
        QCOMPARE(ended.jobs.size(), 2);
        QCOMPARE(ended.jobs[0].status, TRANSCODE_FINISHED);
        QCOMPARE(ended.jobs[1].status, TRANSCODE_FAILED);
        // What the progress bar shows: never "all done".
        QVERIFY2(run.progress() < 1.0, qPrintable(QString::number(run.progress())));
        QVERIFY(run.progress() >= 0.5);
    }

    void outputsAreReadableLikeAnySavedFile_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("mode");
        QTest::newRow("umask 022") << 022 << 0644;
        QTest::newRow("umask 027") << 027 << 0640;
    }

    void outputsAreReadableLikeAnySavedFile()
    {
        QFETCH(int, mask);
        QFETCH(int, mode);
        const mode_t old = ::umask(mode_t(mask));
        VideoInfo source(m_clip);
        QVERIFY(source.isValid());
        const JobOutcome job = convertOne(source, m_dir + QStringLiteral("/mode%1").arg(mask, 0, 8));
        ::umask(old);
        QCOMPARE(job.status, TRANSCODE_FINISHED);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(job.outputPath).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), mode);
    }

    void mergeWorksInAFolderOfItsOwn()
    {
        const QString temp = m_dir + "/mergetemp";
        QVERIFY(QDir().mkpath(temp));
        VideoInfo a(m_clip), b(m_clip);
        QVERIFY(a.isValid() && b.isValid());
        QVERIFY(ConversionRun::outputFolderProblem(m_dir + "/merged").isEmpty());
        ConversionRun run;
        run.addMerge(smallMp4(), {a, b}, m_dir + "/merged", temp);
        QStringList seenWhileRunning;
        QObject::connect(&run, &ConversionRun::jobStarted, [&] {
            QTimer::singleShot(300, &run, [&] {
                seenWhileRunning = QDir(temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            });
        });
        const Ended ended = runToEnd(run);
        QVERIFY2(ended.jobs.value(0).status == TRANSCODE_FINISHED, qPrintable(ended.jobs.value(0).error));
        QVERIFY(qAbs(TestMedia::durationSeconds(TestMedia::probe(ended.jobs.value(0).outputPath)) - 3.0) <
                0.3);
        if (!seenWhileRunning.isEmpty())
            QVERIFY(StaleFiles::isWorkFolderName(seenWhileRunning.first()));
        // Parts and work folder are gone with the job.
        QVERIFY2(
            QDir(temp).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty(),
            qPrintable(
                QDir(temp).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).join(", ")));
    }

    void leftoversOfAKilledRunGo()
    {
        const QString dir = m_dir + "/leftovers";
        QVERIFY(QDir().mkpath(dir));
        const QString stale = dir + "/.film.mp4.AbC123.part";
        const QString fresh = dir + "/.film.mp4.AbC124.part";
        const QString locked = dir + "/.film.mp4.AbC125.part";
        const QString open = dir + "/.film.mp4.AbC126.part";
        const QString notOurs[] = {dir + "/.film.part", dir + "/film.mp4.AbC127.part",
                                   dir + "/.film.mp4.AbC12.part", dir + "/holiday.mp4"};
        for (const QString &path : {stale, fresh, locked, open})
            QVERIFY(touch(path));
        for (const QString &path : notOurs)
            QVERIFY(touch(path));
        const QString link = dir + "/.link.mp4.AbC128.part";
        QVERIFY(QFile::link(dir + "/holiday.mp4", link));
        const QString oldWork = dir + "/reelmax-work-abc123";
        QVERIFY(QDir().mkpath(oldWork + "/deep"));
        QVERIFY(touch(oldWork + "/test0.mpg"));
        QVERIFY(touch(oldWork + "/deep/x"));
        const QString notWork = dir + "/reelmax-work-x";
        QVERIFY(QDir().mkpath(notWork));

        // A writer that is alive: its lock, or merely its open file.
        const int lockFd = ::open(QFile::encodeName(locked).constData(), O_RDONLY);
        QVERIFY(lockFd >= 0 && ::flock(lockFd, LOCK_EX) == 0);
        const int openFd = ::open(QFile::encodeName(open).constData(), O_RDONLY);
        QVERIFY(openFd >= 0);
        // A work folder in use.
        WorkFolder busy(dir);
        QVERIFY(busy.isValid());
        QVERIFY(StaleFiles::isWorkFolderName(QFileInfo(busy.path()).fileName()));
        QVERIFY(touch(busy.path() + "/test0.mpg"));

        for (const QString &path :
             {stale, locked, open, link, oldWork + "/test0.mpg", oldWork + "/deep/x", oldWork + "/deep",
              oldWork, notWork, busy.path() + "/test0.mpg", busy.path() + "/.lock", busy.path()})
            QVERIFY2(makeOld(path), qPrintable(path));
        for (const QString &path : notOurs)
            QVERIFY(makeOld(path));

        QVERIFY(StaleFiles::inUse(locked));
        QVERIFY(StaleFiles::inUse(open));
        QVERIFY(StaleFiles::inUse(busy.path()));
        QVERIFY(!StaleFiles::inUse(stale));

        const QStringList removed = StaleFiles::sweep({dir, dir + "/"});
        QCOMPARE(QSet<QString>(removed.begin(), removed.end()), (QSet<QString>{stale, oldWork}));
        for (const QString &path : {fresh, locked, open, link, notWork, busy.path()})
            QVERIFY2(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), qPrintable(path));
        for (const QString &path : notOurs)
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        ::close(lockFd);
        ::close(openFd);
        // Once nobody holds them they go at the next sweep.
        const QStringList later = StaleFiles::sweep({dir});
        QCOMPARE(QSet<QString>(later.begin(), later.end()), (QSet<QString>{locked, open}));
    }

    void workFolderGoesWithItsOwner()
    {
        QString path;
        {
            WorkFolder work(m_dir);
            QVERIFY(work.isValid());
            path = work.path();
            QVERIFY(QFileInfo(path).fileName().startsWith(QLatin1String("reelmax-work-")));
            QVERIFY(touch(path + "/part.mpg"));
        }
        QVERIFY(!QFileInfo::exists(path));
        WorkFolder impossible(QStringLiteral("/proc/not-a-place"));
        QVERIFY(!impossible.isValid());
        QVERIFY(!impossible.errorString().isEmpty());
    }

    void whatIsAndIsNotAMediaFile()
    {
        VideoInfo folder(m_dir);
        QVERIFY(!folder.isValid());
        QCOMPARE(folder.probeError, QStringLiteral("is a folder"));
        VideoInfo missing(m_dir + "/nothing.mp4");
        QCOMPARE(missing.probeError, QStringLiteral("file not found"));

        const QString notes = m_dir + "/notes.txt";
        QVERIFY(touch(notes, "1. buy milk\n2. call home\n"));
        QVERIFY(!VideoInfo(notes).isValid());
        const QString still = m_dir + "/still.jpg";
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(still));
        QVERIFY(!VideoInfo(still).isValid());

        // Media under any name.
        const QString odd = m_dir + "/clip.dat.bak";
        QVERIFY(QFile::copy(m_clip, odd));
        VideoInfo renamed(odd);
        QVERIFY2(renamed.isValid(), qPrintable(renamed.probeError));
        QCOMPARE(renamed.width, 320);
    }

    void sectionsPastTheEndAreExplained()
    {
        VideoInfo late(VideoBasicInfo(m_clip, 60000, -1));
        QVERIFY(!late.isValid());
        const QRegularExpression words(QStringLiteral(
            "^the section starts at 00:01:00\\.000, after the end of the file at 00:00:01\\.5\\d\\d$"));
        QVERIFY2(words.match(late.probeError).hasMatch(), qPrintable(late.probeError));
        VideoInfo longer(VideoBasicInfo(m_clip, 0, 9000));
        QVERIFY(!longer.isValid());
        QVERIFY2(longer.probeError.contains(QLatin1String("beyond the duration")),
                 qPrintable(longer.probeError));
    }

    void aLengthLearntLaterFillsTheOpenEnd()
    {
        VideoInfo v(m_clip);
        QVERIFY(v.isValid());
        QVERIFY(v.hasKnownLength());
        const int known = v.msEnd;
        QVERIFY(known >= 1500 && known < 1600);
        v.learnLength(99999.0); // a known length is never overwritten
        QCOMPARE(v.msEnd, known);
        v.fileInfo->durationMs = 0.0;
        v.msEnd = -1;
        QVERIFY(!v.hasKnownLength());
        v.learnLength(-3.0);
        QCOMPARE(v.msEnd, -1);
        v.learnLength(1498.6);
        QVERIFY(v.hasKnownLength());
        QCOMPARE(v.msEnd, 1498);
    }

    void encoderNamesAreCheckedAndCloseOnesOffered()
    {
        using EncoderChoice::Kind;
        QVERIFY(EncoderChoice::problem(Kind::Video, "h264", ".mp4").isEmpty());
        QVERIFY(EncoderChoice::problem(Kind::Video, "libx264", ".mkv").isEmpty());
        QVERIFY(EncoderChoice::problem(Kind::Audio, "aac", ".mp4").isEmpty());
        const QString unknown = EncoderChoice::problem(Kind::Video, "nosuchcodec", ".mp4");
        QVERIFY2(unknown.startsWith(QLatin1String("unknown video encoder \"nosuchcodec\"")),
                 qPrintable(unknown));
        const QStringList close = EncoderChoice::closeMatches(Kind::Video, "libx256");
        QVERIFY2(close.contains(QLatin1String("libx265")) && close.contains(QLatin1String("libx264")),
                 qPrintable(close.join(", ")));
        QVERIFY(EncoderChoice::closeMatches(Kind::Audio, "vorbiss").contains(QLatin1String("vorbis")));
        QVERIFY(
            EncoderChoice::problem(Kind::Audio, "libmp3lam", ".mp3").contains(QLatin1String("libmp3lame")));
        // Known, but not in this container: said so, with what it takes.
        const QString refused = EncoderChoice::problem(Kind::Video, "vp8", ".mp4");
        QVERIFY2(refused.contains(QLatin1String("cannot hold")) && refused.contains(QLatin1String("libx264")),
                 qPrintable(refused));
    }
};

QTEST_GUILESS_MAIN(TestRobustJobs)
#include "tst_robustjobs.moc"
