#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/jobs/conversionrun.h"
#include "core/media/videoinfomanager.h"
#include "core/media/videoloadstep.h"
#include "core/profiles/videoprofileuserconfig.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>
#include <optional>

#include <sys/stat.h>

namespace {

// Adds records as they are (unusable files included), so the checks before
// a run can be exercised with any path.
class RecordOnlyStep : public VideoLoadStep {
public:
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        for (const VideoBasicInfo &v : videos)
            loaded.push_back(std::make_unique<VideoInfo>(v));
        return 1;
    }

protected:
    void reportInvalid(const QString &, const QString &) override {}
};

// Everything a run announces, in order.
struct Recorder {
    explicit Recorder(ConversionRun &run)
    {
        QObject::connect(&run, &ConversionRun::started, [this](ConversionKind) { ++starts; });
        QObject::connect(&run, &ConversionRun::jobStarted, [this](int index, const QString &path) {
            startedJobs << index;
            outputs << path;
            maxRunning = std::max(maxRunning, ++running);
        });
        QObject::connect(&run, &ConversionRun::jobFinished, [this](const JobOutcome &job) {
            if (job.status != TRANSCODE_STOPPED || startedJobs.contains(job.index))
                --running;
            jobs << job;
        });
        QObject::connect(&run, &ConversionRun::finished, [this](const RunOutcome &o) {
            ++ends;
            outcome = o;
        });
    }
    bool waitForEnd(int timeoutMs = 180000)
    {
        QElapsedTimer clock;
        clock.start();
        while (ends == 0 && clock.elapsed() < timeoutMs)
            QTest::qWait(20);
        return ends == 1;
    }

    int starts = 0;
    int ends = 0;
    int running = 0;
    int maxRunning = 0;
    QList<int> startedJobs;
    QStringList outputs;
    QList<JobOutcome> jobs;
    std::optional<RunOutcome> outcome;
};

// What the window hands a run: the user's settings and the media list as they are now.
RunSettings settingsNow()
{
    return RunSettings::fromConfig(*VideoUserConfig::instance());
}

QList<VideoInfo> listNow()
{
    return VideoInfoManager::instance()->videos();
}

// A small H.264/AAC MP4 profile.
JobProfile smallMp4(int width = 160, int height = 120)
{
    JobProfile p;
    p.name = QStringLiteral("MP4 Video");
    p.format = QStringLiteral(".mp4");
    p.audioBitrate = 64000;
    p.channels = 2;
    p.sampleRate = 44100;
    p.audioEncoder = QStringLiteral("libvo_aacenc");
    p.videoBitrate = 300000;
    p.frameRate = Rational{25000, 1000};
    p.width = width;
    p.height = height;
    p.videoEncoder = QStringLiteral("libx264");
    return p;
}

VideoProfileFormatUserConfig profileNamed(const QString &name)
{
    VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
    QList<VideoProfileCategory> all = upc->getFormatsCategories();
    all += upc->getDVDCategories();
    all += upc->getDeviceCategories();
    for (const VideoProfileCategory &c : all) {
        for (const VideoProfileFormatUserConfig &p : upc->getFormats(c.key, true)) {
            if (p.getName() == name)
                return p;
        }
    }
    return {};
}

// Checks a finished output with ffprobe and a full decode.
void verifyOutput(const QString &path, double seconds, int width)
{
    const QJsonObject info = TestMedia::probe(path);
    QVERIFY2(!info.isEmpty(), qPrintable(path));
    const QJsonObject video = TestMedia::stream(info, "video");
    QCOMPARE(video.value("codec_name").toString(), QStringLiteral("h264"));
    QCOMPARE(video.value("width").toInt(), width);
    QCOMPARE(TestMedia::stream(info, "audio").value("codec_name").toString(), QStringLiteral("aac"));
    QVERIFY2(qAbs(TestMedia::durationSeconds(info) - seconds) < 0.3,
             qPrintable(QString::number(TestMedia::durationSeconds(info))));
    QString errors;
    QVERIFY2(TestMedia::decodesCleanly(path, &errors), qPrintable(errors));
}

// The mode a new file gets in this process.
QFile::Permissions creationPermissions()
{
    const mode_t mask = umask(0);
    umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFile::Permissions p;
    p.setFlag(QFile::ReadOwner, mode & S_IRUSR);
    p.setFlag(QFile::WriteOwner, mode & S_IWUSR);
    p.setFlag(QFile::ReadGroup, mode & S_IRGRP);
    p.setFlag(QFile::WriteGroup, mode & S_IWGRP);
    p.setFlag(QFile::ReadOther, mode & S_IROTH);
    p.setFlag(QFile::WriteOther, mode & S_IWOTH);
    return p;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestConversionRun : public QObject {
    Q_OBJECT

    RecordOnlyStep step;
    QString dir;
    QString shortClip, otherClip, longClip;
    int selected = -1;

    QString freshFolder(const QString &name)
    {
        const QString path = dir + "/" + name;
        QDir(path).removeRecursively();
        if (!QDir().mkpath(path))
            qFatal("cannot make %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        // The profile catalogue of this run, not the one beside the program.
        qputenv("REELMAX_UPC", QFile::encodeName(dir + "/upc.xml"));
        QVERIFY(QDir().mkpath(dir + "/a"));
        QVERIFY(QDir().mkpath(dir + "/b"));
        shortClip = dir + "/a/clip.mp4";
        otherClip = dir + "/b/clip.mp4";
        QVERIFY(TestMedia::makeClip(shortClip, 2.0, 160, 120));
        QVERIFY(TestMedia::makeClip(otherClip, 1.0, 160, 120));
        // Made quickly, converted slowly (scaled up); only ever stopped early.
        longClip = dir + "/long.avi";
        QVERIFY(
            TestMedia::makeClip(longClip, 60.0, 320, 240, "25", 44100, 2, {"-c:v", "mpeg4", "-q:v", "8"}));

        VideoInfoManager::instance()->setLoadStep(&step);
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setSelectedRowSource([this] { return selected; });
        config->setTempDirectory(freshFolder("tmp"));
        QVERIFY(profileNamed(QStringLiteral("MP4 Video")).isValid());
    }

    void init()
    {
        VideoInfoManager::instance()->clear();
        selected = -1;
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setMerge(false);
        config->setPostTaskAction(0);
        config->setConvertOutputDirectory(freshFolder("out"));
    }

    void startChecksSayWhatIsMissing()
    {
        ConversionRun run;
        Recorder rec(run);
        const VideoProfileFormatUserConfig mp4 = profileNamed(QStringLiteral("MP4 Video"));
        auto refusal = [&run](const VideoProfileFormatUserConfig &profile) {
            const ConversionRun::Refusal r = run.startFromList(profile, settingsNow(), listNow());
            return r.title + "|" + r.text;
        };
        QCOMPARE(refusal(VideoProfileFormatUserConfig()),
                 QStringLiteral("Error|Please Select a format first."));
        QCOMPARE(refusal(mp4), QStringLiteral("Error|Please Add File First."));
        VideoInfoManager::instance()->addFiles({shortClip, otherClip});
        QCOMPARE(refusal(mp4), QStringLiteral("Error|Please Select a File First."));
        VideoUserConfig::instance()->setMerge(true);
        VideoInfoManager::instance()->removeVideo(1);
        QCOMPARE(refusal(mp4), QStringLiteral("Error|Please add at least two files to merge."));

        // Nothing was queued or announced by a refused start.
        QVERIFY(!run.isRunning());
        QCOMPARE(run.jobCount(), 0);
        QTest::qWait(50);
        QCOMPARE(rec.starts + rec.ends, 0);

        // The output folder: made when missing, refused when it cannot be.
        QVERIFY(ConversionRun::outputFolderProblem(dir + "/made/on/demand").isEmpty());
        QVERIFY(QFileInfo(dir + "/made/on/demand").isDir());
        QVERIFY(ConversionRun::outputFolderProblem(shortClip).contains("is not a folder"));
        QVERIFY(ConversionRun::outputFolderProblem(shortClip + "/sub").contains("cannot be created"));
        QCOMPARE(ConversionRun::outputFolderProblem(QString()),
                 QStringLiteral("Please select a output directory first."));
    }

    void describesEveryEnd_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("merge");
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("action");

        QTest::newRow("finished") << 2 << false << 0 << "Convert Finished|Convert Finished." << 0;
        QTest::newRow("merge finished") << 2 << true << 0 << "Convert Finished|Convert Finished." << 0;
        QTest::newRow("aborted") << 3 << false << 0 << "Convert Aborted|Convert Aborted." << 0;
        QTest::newRow("merge aborted") << 3 << true << 0 << "Merge Aborted|Merge Aborted." << 0;
        QTest::newRow("failed") << 4 << false << 0 << "Convert Failed|Convert Failed." << 0;
        QTest::newRow("merge failed") << 4 << true << 0 << "Merge Failed|Merge Failed." << 0;
        QTest::newRow("nothing ran") << 1 << true << 1 << "|" << 0;
        QTest::newRow("finished, exit") << 2 << false << 1 << "Convert Finished|Convert Finished." << 1;
        QTest::newRow("failed, shut down") << 4 << true << 2 << "Merge Failed|Merge Failed." << 2;
        QTest::newRow("aborted never exits") << 3 << false << 1 << "Convert Aborted|Convert Aborted." << 0;
        QTest::newRow("aborted never shuts down") << 3 << true << 2 << "Merge Aborted|Merge Aborted." << 0;
        QTest::newRow("unknown choice") << 2 << false << 7 << "Convert Finished|Convert Finished." << 0;
    }

    void describesEveryEnd()
    {
        QFETCH(int, status);
        QFETCH(bool, merge);
        QFETCH(int, setting);
        QFETCH(QString, report);
        QFETCH(int, action);
        const RunOutcome o = ConversionRun::describe(
            TranscodeStatus(status), merge ? ConversionKind::Merge : ConversionKind::Convert, setting);
        QCOMPARE(o.title + "|" + o.message, report);
        QCOMPARE(int(o.postTask), action);
        QCOMPARE(int(o.status), status);
        QVERIFY(!o.endsInCompletionDialog());
        QCOMPARE(ConversionRun::describe(TranscodeStatus(status), ConversionKind::Convert, 0, "dvd")
                     .endsInCompletionDialog(),
                 status == TRANSCODE_FINISHED);
    }

    // The settings' core count and GPU flag reach the job started from the
    // list: one core adds no thread but the job's own, and GPU encoding on
    // a machine without a render node still converts (in software).
    void settingsCoresAndGpuReachTheJob()
    {
        if (QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).size() > 0)
            QSKIP("this machine has a render node");
        VideoInfoManager::instance()->addFiles({shortClip});
        selected = 0;
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setCpuCoreNumber(1);
        config->setUseGpu(true);
        auto threads = [] {
            return QDir(QStringLiteral("/proc/self/task"))
                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                .size();
        };
        ConversionRun run;
        Recorder rec(run);
        const qsizetype before = threads();
        QVERIFY(!run.startFromList(profileNamed(QStringLiteral("MP4 Video")), settingsNow(), listNow()));
        qsizetype most = 0;
        QElapsedTimer clock;
        clock.start();
        while (rec.ends == 0 && clock.elapsed() < 180000) {
            most = std::max(most, threads());
            QTest::qWait(10);
        }
        config->settings().remove(QStringLiteral("CpuCoreNumber"));
        config->settings().remove(QStringLiteral("UseGpu"));
        QCOMPARE(rec.ends, 1);
        QCOMPARE(rec.outcome->status, TRANSCODE_FINISHED);
        QVERIFY2(most <= before + 1, qPrintable(QString("%1 threads, %2 before").arg(most).arg(before)));
        verifyOutput(rec.outcome->outputPath, 2.0, 640);
    }

    void convertsTheSelectedRow()
    {
        VideoInfoManager::instance()->addFiles({otherClip, shortClip});
        selected = 1;
        VideoUserConfig::instance()->setPostTaskAction(0);
        const QString out = VideoUserConfig::instance()->convertOutputDirectory();
        ConversionRun run;
        int postTask = 0;
        run.setPostTaskSource([&postTask] { return postTask; });
        Recorder rec(run);
        QVERIFY(!run.startFromList(profileNamed(QStringLiteral("MP4 Video")), settingsNow(), listNow()));
        QVERIFY(run.isRunning());
        QCOMPARE(run.kind(), ConversionKind::Convert);
        QCOMPARE(rec.starts, 1);
        QCOMPARE(rec.outputs, QStringList{out + "/clip.mp4"});
        postTask = 2;
        QVERIFY(rec.waitForEnd());
        QVERIFY(!run.isRunning());

        const RunOutcome &o = *rec.outcome;
        QCOMPARE(o.status, TRANSCODE_FINISHED);
        QCOMPARE(o.title + "|" + o.message, QStringLiteral("Convert Finished|Convert Finished."));
        QCOMPARE(o.outputPath, out + "/clip.mp4");
        QCOMPARE(o.profileName, QStringLiteral("MP4 Video"));
        // The menu's choice is read at the end and handed on.
        QCOMPARE(o.postTask, PostTaskAction::ShutdownComputer);
        QVERIFY(o.error.isEmpty());
        QCOMPARE(o.jobs.size(), 1);
        QCOMPARE(o.jobs[0].sources, QStringList{shortClip}); // the selected row, not the first
        QCOMPARE(rec.jobs.size(), 1);
        QCOMPARE(run.lastOutcome().status, TRANSCODE_FINISHED);
        QCOMPARE(run.progress(), 1.0);
        // The profile's 640x480, the clip's 2 s; nothing else in the folder.
        verifyOutput(o.outputPath, 2.0, 640);
        QCOMPARE(filesIn(out), QStringList{"clip.mp4"});
        // Readable like any file the user saves, not private to the program.
        const QFile::Permissions unixBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(o.outputPath) & unixBits, creationPermissions());
    }

    void stoppingLeavesNoFile()
    {
        const QString out = freshFolder("stopped");
        ConversionRun run;
        run.setPostTaskSource([] { return 1; });
        Recorder rec(run);
        const QString path = run.addConversion(smallMp4(1280, 720), VideoInfo(longClip), out, dir + "/tmp");
        QCOMPARE(path, out + "/long.mp4");
        QVERIFY(run.start());
        QVERIFY(!run.start()); // one run at a time
        QCOMPARE(run.startFromList(profileNamed(QStringLiteral("MP4 Video")), settingsNow(), listNow()).text,
                 QStringLiteral("Convert is in progress."));
        QTRY_VERIFY_WITH_TIMEOUT(run.progress() > 0.0, 60000);
        run.stop();
        // The worker is gone when stop() returns; the report follows.
        QVERIFY(!run.isRunning());
        QCOMPARE(rec.ends, 0);
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.outcome->status, TRANSCODE_STOPPED);
        QCOMPARE(rec.outcome->title + "|" + rec.outcome->message,
                 QStringLiteral("Convert Aborted|Convert Aborted."));
        QCOMPARE(rec.outcome->postTask, PostTaskAction::None); // no exit after a stop
        QVERIFY(rec.outcome->error.isEmpty());
        QCOMPARE(rec.jobs.size(), 1);
        QCOMPARE(rec.jobs[0].status, TRANSCODE_STOPPED);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(filesIn(out), QStringList());
        QTest::qWait(100);
        QCOMPARE(rec.ends, 1);
    }

    void aFailedJobSaysWhy()
    {
        const QString out = freshFolder("failed");
        const QString junk = dir + "/junk.mp4";
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
        f.close();
        ConversionRun run;
        run.setPostTaskSource([] { return 1; });
        Recorder rec(run);
        run.addConversion(smallMp4(), VideoInfo(junk), out, dir + "/tmp");
        QVERIFY(run.start());
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.outcome->status, TRANSCODE_FAILED);
        QCOMPARE(rec.outcome->title + "|" + rec.outcome->message,
                 QStringLiteral("Convert Failed|Convert Failed."));
        QVERIFY(!rec.outcome->error.isEmpty());
        QCOMPARE(rec.jobs.value(0).error, rec.outcome->error);
        QCOMPARE(rec.outcome->postTask, PostTaskAction::ExitProgram); // a failure ends the run too
        QCOMPARE(filesIn(out), QStringList());
    }

    void mergesTwoFiles()
    {
        const QString out = freshFolder("merged");
        ConversionRun run;
        Recorder rec(run);
        const std::vector<VideoInfo> sources{VideoInfo(shortClip), VideoInfo(otherClip)};
        const QString path = run.addMerge(smallMp4(), sources, out, freshFolder("mergetmp"));
        QCOMPARE(path, out + "/clip.mp4");
        QVERIFY(run.start());
        QCOMPARE(run.kind(), ConversionKind::Merge);
        QVERIFY(rec.waitForEnd(240000));
        QCOMPARE(rec.outcome->status, TRANSCODE_FINISHED);
        QCOMPARE(rec.outcome->kind, ConversionKind::Merge);
        QCOMPARE(rec.outcome->jobs.value(0).sources, (QStringList{shortClip, otherClip}));
        verifyOutput(path, 3.0, 160);
        QCOMPARE(filesIn(out), QStringList{"clip.mp4"});
    }

    void queueRunsTwoAtATime()
    {
        const QString out = freshFolder("queue");
        ConversionRun run;
        run.setConcurrency(2);
        Recorder rec(run);
        // Two files of the same name and one that is already there.
        QVERIFY(QFile::copy(otherClip, out + "/clip.mp4"));
        const QByteArray before = [&] {
            QFile f(out + "/clip.mp4");
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QStringList planned;
        planned << run.addConversion(smallMp4(), VideoInfo(shortClip), out, dir + "/tmp");
        planned << run.addConversion(smallMp4(), VideoInfo(otherClip), out, dir + "/tmp");
        planned << run.addConversion(smallMp4(), VideoInfo(shortClip), out, dir + "/tmp");
        QCOMPARE(planned, (QStringList{out + "/clip(1).mp4", out + "/clip(2).mp4", out + "/clip(3).mp4"}));
        QCOMPARE(run.jobCount(), 3);
        QList<double> seen;
        QVERIFY(run.start());
        QCOMPARE(rec.startedJobs, (QList<int>{0, 1})); // the third waits
        while (rec.ends == 0) {
            seen << run.progress();
            QTest::qWait(50);
            QVERIFY(seen.size() < 20 * 300);
        }
        QCOMPARE(rec.maxRunning, 2);
        QCOMPARE(rec.startedJobs.size(), 3);
        QCOMPARE(rec.jobs.size(), 3);
        QCOMPARE(rec.outcome->status, TRANSCODE_FINISHED);
        QCOMPARE(rec.outcome->count(TRANSCODE_FINISHED), 3);
        for (double p : seen)
            QVERIFY(p >= 0.0 && p <= 1.0);
        verifyOutput(planned[0], 2.0, 160);
        verifyOutput(planned[1], 1.0, 160);
        verifyOutput(planned[2], 2.0, 160);
        QFile kept(out + "/clip.mp4");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
    }

    void aFailureDoesNotHoldUpTheQueue()
    {
        const QString out = freshFolder("mixed");
        ConversionRun run;
        Recorder rec(run);
        run.addConversion(smallMp4(), VideoInfo(dir + "/missing.mp4"), out, dir + "/tmp");
        const QString good = run.addConversion(smallMp4(), VideoInfo(otherClip), out, dir + "/tmp");
        // Taken after it was planned: the job moves on to the next free name.
        QFile squatter(good);
        QVERIFY(squatter.open(QIODevice::WriteOnly));
        squatter.write("mine");
        squatter.close();
        QVERIFY(run.start());
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.outcome->status, TRANSCODE_FAILED);
        QCOMPARE(rec.outcome->count(TRANSCODE_FAILED), 1);
        QCOMPARE(rec.outcome->count(TRANSCODE_FINISHED), 1);
        QVERIFY(rec.outcome->error.size() > 0);
        QCOMPARE(rec.jobs.value(0).status, TRANSCODE_FAILED);
        const JobOutcome second = rec.jobs.value(1);
        QCOMPARE(second.status, TRANSCODE_FINISHED);
        QCOMPARE(second.outputPath, out + "/clip(1).mp4");
        verifyOutput(second.outputPath, 1.0, 160);
        QFile mine(good);
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("mine"));
    }

    void stoppingAQueueDropsTheWaitingJobs()
    {
        const QString out = freshFolder("stopqueue");
        ConversionRun run;
        Recorder rec(run);
        run.addConversion(smallMp4(1280, 720), VideoInfo(longClip), out, dir + "/tmp");
        run.addConversion(smallMp4(), VideoInfo(shortClip), out, dir + "/tmp");
        QVERIFY(run.start());
        QTRY_VERIFY_WITH_TIMEOUT(run.progress() > 0.0, 60000);
        run.stop();
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.outcome->status, TRANSCODE_STOPPED);
        QCOMPARE(rec.outcome->count(TRANSCODE_STOPPED), 2);
        QCOMPARE(rec.startedJobs, QList<int>{0});
        QCOMPARE(filesIn(out), QStringList());

        // The same object takes a new queue afterwards.
        const QString again = run.addConversion(smallMp4(), VideoInfo(otherClip), out, dir + "/tmp");
        QCOMPARE(run.jobCount(), 1);
        QVERIFY(run.start());
        rec.ends = 0;
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.outcome->status, TRANSCODE_FINISHED);
        QCOMPARE(again, out + "/clip.mp4");
        verifyOutput(again, 1.0, 160);
    }

    void destroyingARunStopsItQuietly()
    {
        const QString out = freshFolder("destroyed");
        auto run = std::make_unique<ConversionRun>();
        int reports = 0;
        QObject::connect(run.get(), &ConversionRun::finished, [&reports] { ++reports; });
        QObject::connect(run.get(), &ConversionRun::jobFinished, [&reports] { ++reports; });
        run->addConversion(smallMp4(1280, 720), VideoInfo(longClip), out, dir + "/tmp");
        QVERIFY(run->start());
        QTRY_VERIFY_WITH_TIMEOUT(run->progress() > 0.0, 60000);
        run.reset();
        QTest::qWait(300);
        QCOMPARE(reports, 0);
        QCOMPARE(filesIn(out), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestConversionRun)
#include "tst_conversionrun.moc"
