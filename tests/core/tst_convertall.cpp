// "Convert All" on ConversionRun: every file of the list into its own
// output, several at once after the CPU-core setting, a summary naming the
// failures; the run's split settings and the profile's aspect reaching the
// engine record; a merge fitting every part into the final frame.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/jobs/conversionrun.h"
#include "core/jobs/convertjob.h"
#include "core/media/videoinfomanager.h"
#include "core/media/videoloadstep.h"
#include "core/profiles/videoformatinfo.h"
#include "core/profiles/videoprofileuserconfig.h"
#include "engine/transcode/encodeinfo.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <tinyxml2.h>

#include <optional>

namespace {

// What the window hands a run: the user's settings and the media list as they are now.
RunSettings settingsNow()
{
    return RunSettings::fromConfig(*VideoUserConfig::instance());
}

QList<VideoInfo> listNow()
{
    return VideoInfoManager::instance()->videos();
}

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

struct Recorder {
    explicit Recorder(ConversionRun &run)
    {
        QObject::connect(&run, &ConversionRun::jobStarted,
                         [this](int, const QString &) { maxRunning = std::max(maxRunning, ++running); });
        QObject::connect(&run, &ConversionRun::jobFinished, [this](const JobOutcome &job) {
            if (job.status != TRANSCODE_STOPPED)
                --running;
            jobs << job;
        });
        QObject::connect(&run, &ConversionRun::finished, [this](const RunOutcome &o) { outcome = o; });
    }
    bool waitForEnd(int timeoutMs = 240000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!outcome && clock.elapsed() < timeoutMs)
            QTest::qWait(20);
        return outcome.has_value();
    }
    int running = 0;
    int maxRunning = 0;
    QList<JobOutcome> jobs;
    std::optional<RunOutcome> outcome;
};

VideoProfileFormatUserConfig profileNamed(const QString &name)
{
    VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
    QList<VideoProfileCategory> all = upc->getFormatsCategories();
    all += upc->getDeviceCategories();
    for (const VideoProfileCategory &c : all)
        for (const VideoProfileFormatUserConfig &p : upc->getFormats(c.key, true))
            if (p.getName() == name)
                return p;
    return {};
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// cropdetect's findings over a stretch of a file, most frequent first.
QString activePicture(const QString &path, double from, double seconds)
{
    QProcess p;
    p.start("ffmpeg", {"-v", "info", "-nostdin", "-ss", QString::number(from), "-t", QString::number(seconds),
                       "-i", path, "-vf", "cropdetect=limit=24:round=2:reset=1", "-f", "null", "-"});
    p.waitForFinished(120000);
    QMap<QString, int> counts;
    static const QRegularExpression re("crop=([0-9]+:[0-9]+:[0-9]+:[0-9]+)");
    auto it = re.globalMatch(QString::fromUtf8(p.readAllStandardError()));
    while (it.hasNext())
        ++counts[it.next().captured(1)];
    QString best;
    for (auto c = counts.cbegin(); c != counts.cend(); ++c)
        if (best.isEmpty() || c.value() > counts.value(best))
            best = c.key();
    return best;
}

} // namespace

class TestConvertAll : public QObject {
    Q_OBJECT
    RecordOnlyStep step;
    QString dir;
    QString clips[4];

    QString freshFolder(const QString &name)
    {
        const QString path = dir + "/" + name;
        QDir(path).removeRecursively();
        QDir().mkpath(path);
        return path;
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        qputenv("REELMAX_UPC", QFile::encodeName(dir + "/upc.xml"));
        QVERIFY(QDir().mkpath(dir + "/src"));
        for (int i = 0; i < 4; ++i) {
            clips[i] = dir + QStringLiteral("/src/clip%1.mp4").arg(i + 1);
            QVERIFY(TestMedia::makeClip(clips[i], 1.0 + 0.5 * i, 320, 180));
        }
        VideoInfoManager::instance()->setLoadStep(&step);
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setTempDirectory(freshFolder("tmp"));
        QVERIFY(profileNamed("MP4 Video").isValid());
    }

    void init()
    {
        VideoInfoManager::instance()->clear();
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setMerge(false);
        config->setPostTaskAction(0);
        config->setSplitMode(0);
        config->setCpuCoreNumber(1);
        config->setUseGpu(false);
        config->setConvertOutputDirectory(freshFolder("out"));
    }

    void halfTheCoresAtOnce()
    {
        QCOMPARE(ConversionRun::batchConcurrency(0), 1);
        QCOMPARE(ConversionRun::batchConcurrency(1), 1);
        QCOMPARE(ConversionRun::batchConcurrency(2), 1);
        QCOMPARE(ConversionRun::batchConcurrency(4), 2);
        QCOMPARE(ConversionRun::batchConcurrency(7), 3);
        // The jobs side by side share the chosen cores.
        auto threadsEach = [](int threads, int jobs) {
            ProcessingOptions chosen;
            chosen.threads = threads;
            chosen.useGpu = true;
            const ProcessingOptions each = ConversionRun::batchProcessing(chosen, jobs);
            return each.useGpu ? each.threads : -1;
        };
        QCOMPARE(threadsEach(1, 1), 1);
        QCOMPARE(threadsEach(2, 1), 2);
        QCOMPARE(threadsEach(4, 2), 2);
        QCOMPARE(threadsEach(7, 3), 2);
        QCOMPARE(threadsEach(3, 4), 1);
        QCOMPARE(threadsEach(0, 2), 0); // automatic stays automatic
        QCOMPARE(threadsEach(4, 0), 4);
    }

    // The Processing settings reach every job of the run: with GPU encoding
    // on and no render node, each H.264 job says once that it encodes in
    // software, and still converts.
    void processingSettingsReachEveryJob()
    {
        if (!QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty())
            QSKIP("this machine has a render node");
        VideoUserConfig *config = VideoUserConfig::instance();
        config->setUseGpu(true);
        VideoInfoManager::instance()->addFiles({clips[0], clips[1]});
        static QStringList gpuLines;
        gpuLines.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
                if (text.contains(QLatin1String("GPU encoding")))
                    gpuLines << text;
            });
        ConversionRun run;
        Recorder rec(run);
        QVERIFY(!run.startAllFromList(profileNamed("MP4 Video"), settingsNow(), listNow()));
        const bool ended = rec.waitForEnd();
        qInstallMessageHandler(previous);
        QVERIFY(ended);
        QCOMPARE(rec.outcome->status, TRANSCODE_FINISHED);
        QCOMPARE(gpuLines.size(), 2);
        const QString out = config->convertOutputDirectory();
        for (const QString &name : filesIn(out)) {
            QString errors;
            QVERIFY2(TestMedia::decodesCleanly(out + "/" + name, &errors), qPrintable(errors));
            QCOMPARE(
                TestMedia::stream(TestMedia::probe(out + "/" + name), "video").value("codec_name").toString(),
                QStringLiteral("h264"));
        }
        QCOMPARE(filesIn(out).size(), 2);
    }

    void refusesWhatCannotRun()
    {
        ConversionRun run;
        QCOMPARE(run.startAllFromList(profileNamed("MP4 Video"), settingsNow(), listNow()).text,
                 QStringLiteral("Please Add File First."));
        VideoInfoManager::instance()->addFile(clips[0]);
        QCOMPARE(run.startAllFromList(VideoProfileFormatUserConfig(), settingsNow(), listNow()).text,
                 QStringLiteral("Please Select a format first."));
        QVERIFY(!run.isRunning());
    }

    // Four files, one broken after it was added: three outputs, and a
    // summary that names the broken one and says why.
    void convertsEveryFileAndSumsUp()
    {
        VideoInfoManager *registry = VideoInfoManager::instance();
        const QString broken = dir + "/src/broken.mp4";
        QVERIFY(QFile::copy(clips[2], broken));
        registry->addFiles({clips[0], clips[1], broken, clips[3]});
        QCOMPARE(registry->count(), 4);
        QFile damage(broken);
        QVERIFY(damage.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damage.write(QByteArray(4096, 'x'));
        damage.close();
        VideoUserConfig::instance()->setCpuCoreNumber(4);

        ConversionRun run;
        Recorder rec(run);
        QVERIFY(!run.startAllFromList(profileNamed("MP4 Video"), settingsNow(), listNow()));
        QVERIFY(run.isRunning());
        QCOMPARE(run.jobCount(), 4);
        QCOMPARE(run.runningSources().size(), 2);
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.maxRunning, 2);
        QCOMPARE(rec.outcome->status, TRANSCODE_FAILED);
        QCOMPARE(rec.outcome->count(TRANSCODE_FINISHED), 3);
        QCOMPARE(run.endedCount(), 4);
        const QString out = VideoUserConfig::instance()->convertOutputDirectory();
        QCOMPARE(filesIn(out), QStringList({"clip1.mp4", "clip2.mp4", "clip4.mp4"}));
        for (const QString &name : filesIn(out)) {
            QString errors;
            QVERIFY2(TestMedia::decodesCleanly(out + "/" + name, &errors), qPrintable(errors));
            QCOMPARE(TestMedia::stream(TestMedia::probe(out + "/" + name), "video").value("width").toInt(),
                     640);
        }
        const QString summary = rec.outcome->summary();
        QVERIFY2(summary.startsWith("Converted: 3 of 4 files."), qPrintable(summary));
        QVERIFY2(summary.contains("Failed: 1"), qPrintable(summary));
        QVERIFY2(summary.contains(QRegularExpression("broken\\.mp4: \\S")), qPrintable(summary));
        QVERIFY(!summary.contains("clip1"));
    }

    void aStoppedRunCountsWhatItLeftOut()
    {
        RunOutcome outcome;
        JobOutcome done, stopped;
        done.status = TRANSCODE_FINISHED;
        done.sources << "/a/one.mp4";
        stopped.status = TRANSCODE_STOPPED;
        stopped.sources << "/a/two.mp4";
        outcome.jobs << done << stopped << stopped;
        QCOMPARE(outcome.summary(), QStringLiteral("Converted: 1 of 3 files.\nNot converted (stopped): 2"));
    }

    // The split settings of the store reach the job; the segments are the
    // job's outputs, and a taken first segment moves the name on.
    void splitSettingsMakeSegments()
    {
        VideoInfoManager::instance()->addFiles({clips[3]}); // 2.5 s
        VideoUserConfig *config = VideoUserConfig::instance();
        const QString out = config->convertOutputDirectory();
        QFile taken(out + "/clip4_001.mp4");
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.close();
        config->setSplitMode(2);
        config->setSplitTime(1); // minutes: one segment of a short clip
        ConversionRun run;
        Recorder rec(run);
        QVERIFY(!run.startAllFromList(profileNamed("MP4 Video"), settingsNow(), listNow()));
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.outcome->status, TRANSCODE_FINISHED);
        QCOMPARE(rec.jobs.value(0).outputPaths, QStringList({out + "/clip4(1)_001.mp4"}));
        QCOMPARE(filesIn(out), QStringList({"clip4(1)_001.mp4", "clip4_001.mp4"}));
    }

    void jobCarriesFitAndSplit()
    {
        JobProfile p;
        p.format = ".mp4";
        OutputSpec out = ConvertJob::outputSpec(p, "/out/a.mp4");
        QCOMPARE(out.video.fit, FrameFit::Pad);
        QCOMPARE(out.splitBytes, int64_t(0));
        QCOMPARE(out.splitMs, int64_t(0));
        p.fit = FrameFit::Crop;
        p.splitMode = 1;
        p.splitSizeMb = 700;
        p.splitMinutes = 5; // not the chosen mode
        out = ConvertJob::outputSpec(p, "/out/a.mp4");
        QCOMPARE(out.video.fit, FrameFit::Crop);
        QCOMPARE(out.splitBytes, int64_t(700000000));
        QCOMPARE(out.splitMs, int64_t(0));
        p.splitMode = 2;
        out = ConvertJob::outputSpec(p, "/out/a.mp4");
        QCOMPARE(out.splitBytes, int64_t(0));
        QCOMPARE(out.splitMs, int64_t(300000));
        p.splitMinutes = 0; // an empty length splits nothing
        QCOMPARE(ConvertJob::outputSpec(p, "/out/a.mp4").splitMs, int64_t(0));
        QVERIFY(!ConvertJob::splits(p));
    }

    // The profile's aspect is kept per entry in upc.xml; an entry without it fits.
    void aspectIsStoredPerProfile()
    {
        VideoProfileFormatUserConfig mp4 = profileNamed("MP4 Video");
        QCOMPARE(mp4.getAspectMode(), int(ENCODE_ASPECT_FIT));
        QVERIFY(!mp4.getElement()->Attribute("aspect"));
        mp4.setAspectMode(ENCODE_ASPECT_STRETCH);
        QCOMPARE(QString(mp4.getElement()->Attribute("aspect")), QStringLiteral("stretch"));
        QCOMPARE(ConvertJob::jobProfile(mp4).fit, FrameFit::Stretch);
        QFile file(VideoProfileUserConfig::getInstance()->configPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("aspect=\"stretch\""));
        mp4.getElement()->SetAttribute("aspect", "sideways");
        QCOMPARE(mp4.getAspectMode(), int(ENCODE_ASPECT_FIT));
        QCOMPARE(VideoProfileFormatUserConfig::aspectModeFromText(" Crop "), int(ENCODE_ASPECT_CROP));
        QCOMPARE(VideoProfileFormatUserConfig::aspectModeFromText("x"), -1);
        mp4.getElement()->DeleteAttribute("aspect");
    }

    void favouritesTakeACopyOfTheEntry()
    {
        VideoProfileUserConfig *upc = VideoProfileUserConfig::getInstance();
        VideoProfileFormatUserConfig mp4 = profileNamed("MP4 Video");
        mp4.setVideoBitrate("1500000");
        QVERIFY(!upc->isFavourite(mp4.getID()));
        QVERIFY(upc->addFavourite(mp4));
        QVERIFY(!upc->addFavourite(mp4)); // once
        const QList<VideoProfileFormatUserConfig> favourites = upc->getFormats("Favourites");
        QCOMPARE(favourites.size(), 1);
        QCOMPARE(favourites[0].getID(), mp4.getID());
        QCOMPARE(favourites[0].getVideoBitrate(), QStringLiteral("1500000"));
        QVERIFY(favourites[0].getElement() != mp4.getElement());
        QCOMPARE(upc->catalogueEntry(mp4.getID()).getElement(), mp4.getElement());
        QVERIFY(!upc->removeFavourite(mp4)); // not a favourites entry
        QVERIFY(upc->removeFavourite(favourites[0]));
        QVERIFY(upc->getFormats("Favourites").isEmpty());
    }

    // A merge of a 16:9 and a 4:3 file into the 4:3 frame: the wide part is
    // letterboxed, the other fills the frame.
    void mergeFitsEveryPart()
    {
        const QString wide = dir + "/src/wide.mp4";
        const QString narrow = dir + "/src/narrow.mp4";
        QVERIFY(TestMedia::makeClip(wide, 2.0, 640, 360));
        QVERIFY(TestMedia::makeClip(narrow, 2.0, 320, 240));
        JobProfile p = ConvertJob::jobProfile(*profileNamed("MP4 Video").getFormatInfo());
        QCOMPARE(QSize(p.width, p.height), QSize(640, 480));
        const QString out = freshFolder("merge");
        ConversionRun run;
        Recorder rec(run);
        const QString path =
            run.addMerge(p, {VideoInfo(wide), VideoInfo(narrow)}, out, freshFolder("mergetmp"));
        QVERIFY(run.start());
        QVERIFY(rec.waitForEnd());
        QCOMPARE(rec.outcome->status, TRANSCODE_FINISHED);
        QCOMPARE(activePicture(path, 0.3, 1.2), QStringLiteral("640:360:0:60"));
        QCOMPARE(activePicture(path, 2.5, 1.2), QStringLiteral("640:480:0:0"));
    }
};

QTEST_GUILESS_MAIN(TestConvertAll)
#include "tst_convertall.moc"
