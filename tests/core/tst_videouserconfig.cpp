#include "core/config/uniquepath.h"
#include "core/config/videouserconfig.h"
#include "core/profiles/videoprofileuserconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

class TestVideoUserConfig : public QObject {
    Q_OBJECT
    VideoUserConfig *cfg = nullptr;
    QSettings &s() { return cfg->settings(); }

private slots:
    void init()
    {
        cfg = VideoUserConfig::instance();
        s().clear();
    }

    void storeLivesInTheUsersSettingsNotTheRealHome()
    {
        // The suite runs with a temporary HOME; the store must write there.
        QVERIFY(s().fileName().startsWith(QDir::homePath()));
        QVERIFY(qEnvironmentVariableIsSet("REELMAX_TEST"));
    }

    void freshProfileDefaultsAndWhichAreWrittenBack()
    {
        QCOMPARE(cfg->convertOutputDirectory(), QDir::homePath());
        QCOMPARE(cfg->snapshotDirectory(), cfg->defaultSnapshotDirectory());
        QCOMPARE(cfg->snapshotFormat(), QStringLiteral("jpg"));
        QCOMPARE(cfg->videoDownloadDirectory(), cfg->defaultSnapshotDirectory());
        QCOMPARE(cfg->tempDirectory(), QDir::tempPath());
        QCOMPARE(cfg->language(), QStringLiteral("en"));
        // The core count acts on every conversion: unset, it is all cores.
        QCOMPARE(cfg->cpuCoreNumber(), qMax(1, QThread::idealThreadCount()));
        QCOMPARE(cfg->defaultCpuCoreNumber(), cfg->cpuCoreChoices().last());
        QCOMPARE(cfg->processingOptions().threads, cfg->cpuCoreNumber());
        QCOMPARE(cfg->useGpu(), false);
        QCOMPARE(cfg->processingOptions().useGpu, false);
        QCOMPARE(cfg->lastOpenDirectory(), QCoreApplication::applicationDirPath());
        QVERIFY(cfg->recentFiles().isEmpty());
        // Only these three write their default back on first read.
        QVERIFY(s().contains("SnapShotDir"));
        QVERIFY(s().contains("SnapShotFormat"));
        QVERIFY(s().contains("VideoDownloadFolder"));
        for (const char *key : {"ConvertOutputFolder", "TempFolder", "language", "CpuCoreNumber", "UseGpu",
                                "LastOpenDir", "RecentFiles"})
            QVERIFY2(!s().contains(key), key);
        QCOMPARE(cfg->snapshotFormats(), QStringList({"jpg", "bmp"}));
    }

    void outputFolderRules()
    {
        QTemporaryDir dir;
        cfg->setConvertOutputDirectory(dir.path());
        QCOMPARE(cfg->convertOutputDirectory(), dir.path());
        // A deleted folder yields the home folder and the stored value stays.
        const QString gone = dir.path() + "/gone";
        cfg->setConvertOutputDirectory(gone);
        QCOMPARE(cfg->convertOutputDirectory(), QDir::homePath());
        QCOMPARE(s().value("ConvertOutputFolder").toString(), gone);
    }

    void snapshotFolderAndFormatRules()
    {
        QTemporaryDir dir;
        QVERIFY(cfg->setSnapshotDirectory(dir.path()));
        QCOMPARE(cfg->snapshotDirectory(), dir.path());
        QVERIFY(!cfg->setSnapshotDirectory(dir.path() + "/missing"));
        QCOMPARE(cfg->snapshotDirectory(), dir.path());
        // A relative folder is replaced by the documents folder, and stored.
        s().setValue("SnapShotDir", "pictures");
        QCOMPARE(cfg->snapshotDirectory(), cfg->defaultSnapshotDirectory());
        QCOMPARE(s().value("SnapShotDir").toString(), cfg->defaultSnapshotDirectory());

        cfg->setSnapshotFormat("bmp");
        QCOMPARE(cfg->snapshotFormat(), QStringLiteral("bmp"));
        cfg->setSnapshotFormat("png");
        QCOMPARE(cfg->snapshotFormat(), QStringLiteral("bmp"));
        s().setValue("SnapShotFormat", "");
        QCOMPARE(cfg->snapshotFormat(), QStringLiteral("jpg"));
        QCOMPARE(s().value("SnapShotFormat").toString(), QStringLiteral("jpg"));
    }

    void plainValueRules()
    {
        s().setValue("TempFolder", "relative/unchecked");
        QCOMPARE(cfg->tempDirectory(), QStringLiteral("relative/unchecked"));
        s().setValue("language", "");
        QCOMPARE(cfg->language(), QStringLiteral("en"));
        QVERIFY(!s().value("language").toString().size());
        cfg->setLanguage("de");
        QCOMPARE(cfg->language(), QStringLiteral("de"));
        s().setValue("CpuCoreNumber", "many");
        QCOMPARE(cfg->cpuCoreNumber(), 0);
        QCOMPARE(cfg->processingOptions().threads, 0); // unusable: the codecs take all cores
        s().setValue("CpuCoreNumber", -3);
        QCOMPARE(cfg->processingOptions().threads, 0);
        cfg->setCpuCoreNumber(4);
        QCOMPARE(cfg->cpuCoreNumber(), 4);
        QCOMPARE(cfg->processingOptions().threads, 4);
        cfg->setUseGpu(true);
        QCOMPARE(cfg->useGpu(), true);
        QCOMPARE(cfg->processingOptions().useGpu, true);
        const QList<int> cores = cfg->cpuCoreChoices();
        QCOMPARE(cores.size(), qMax(1, QThread::idealThreadCount()));
        QCOMPARE(cores.first(), 1);
        QCOMPARE(cores.last(), cores.size());
    }

    void lastOpenFolderWritesOnlyExistingFolders()
    {
        QTemporaryDir dir;
        cfg->setLastOpenDirectory("   ");
        cfg->setLastOpenDirectory(dir.path() + "/nope");
        QVERIFY(!s().contains("LastOpenDir"));
        cfg->setLastOpenDirectory(dir.path());
        QCOMPARE(cfg->lastOpenDirectory(), dir.path());
        s().setValue("LastOpenDir", "  ");
        QCOMPARE(cfg->lastOpenDirectory(), QCoreApplication::applicationDirPath());
    }

    void recentFilesNewestFirstEachOnceAtMostFive()
    {
        s().setValue("RecentFiles", QStringList({"b", "x"}));
        cfg->addRecentFiles({"a", "b", "c"});
        QCOMPARE(cfg->recentFiles(), QStringList({"c", "b", "a", "x"}));
        cfg->addRecentFiles({"1", "2", "3", "4", "5", "6"});
        QCOMPARE(cfg->recentFiles(), QStringList({"6", "5", "4", "3", "2"}));
        cfg->addRecentFiles({"B"}); // case-sensitive: a new entry
        cfg->addRecentFiles({"5"});
        QCOMPARE(cfg->recentFiles(), QStringList({"5", "B", "6", "4", "3"}));
    }

    void mergeFlagAlwaysEmits()
    {
        QSignalSpy spy(cfg, &VideoUserConfig::mergeStatusChanged);
        cfg->setMerge(true);
        cfg->setMerge(true);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), true);
        QVERIFY(cfg->isMerge());
        cfg->setMerge(false);
    }

    void currentProfileFallsBackToTheLastUsedOnceWithBothSignals()
    {
        QTemporaryDir dir;
        const QString upc = dir.path() + "/upc.xml";
        QVERIFY(QFile::copy(VideoProfileUserConfig::shippedDefaultPath(), upc));
        QVERIFY(VideoProfileUserConfig::getInstance()->setConfigPath(upc));
        QSignalSpy byName(cfg, qOverload<const QString &>(&VideoUserConfig::currentProfileChanged));
        QSignalSpy byRecord(
            cfg, qOverload<const VideoProfileFormatUserConfig &>(&VideoUserConfig::currentProfileChanged));
        const VideoProfileFormatUserConfig first = cfg->getCurrentProfile();
        QVERIFY(first.isValid());
        QCOMPARE(first, VideoProfileUserConfig::getInstance()->getLastProfile());
        QCOMPARE(byName.count(), 1);
        QCOMPARE(byRecord.count(), 1);
        QCOMPARE(byName.at(0).at(0).toString(), first.getName());
        cfg->getCurrentProfile(); // already set: no signal
        QCOMPARE(byName.count(), 1);

        // iTunes: only an Apple profile, with iTunes installed and chosen.
        const auto apple = VideoProfileUserConfig::getInstance()->getFormats("Apple");
        QVERIFY(!apple.isEmpty());
        QVERIFY(cfg->isAppleProfile(apple.first()));
        QVERIFY(!cfg->isAppleProfile(VideoProfileFormatUserConfig()));
        cfg->setCurrentProfile(apple.first());
        cfg->setSendToItunes(true);
        QVERIFY(!cfg->canSendToItunes()); // never installed here
        cfg->setSendToItunes(false);
    }

    void runTimeState()
    {
        cfg->setPostTaskAction(2);
        cfg->setSplitMode(1);
        cfg->setSplitSize(200);
        cfg->setSplitTime(30);
        cfg->setSendToItunes(true);
        QCOMPARE(cfg->postTaskAction(), 2);
        QCOMPARE(cfg->splitMode(), 1);
        QCOMPARE(cfg->splitSize(), 200);
        QCOMPARE(cfg->splitTime(), 30);
        QVERIFY(cfg->sendToItunes());
        QVERIFY(!cfg->isItunesInstalled());
        cfg->setPostTaskAction(0);
        cfg->setSendToItunes(false);
    }

    void uniqueOutputNames()
    {
        QTemporaryDir out;
        QCOMPARE(UniquePath::forSource("/v/clip.avi", out.path(), ".mp4"), out.path() + "/clip.mp4");
        QFile(out.path() + "/clip.mp4").open(QIODevice::WriteOnly);
        QCOMPARE(UniquePath::forSource("/v/clip.avi", out.path() + "/", ".mp4"), out.path() + "/clip(1).mp4");
        QFile(out.path() + "/clip(1).mp4").open(QIODevice::WriteOnly);
        QCOMPARE(UniquePath::forSource("/v/clip.avi", out.path(), ".mp4"), out.path() + "/clip(2).mp4");
        QCOMPARE(UniquePath::forSource("/v/noext", out.path(), ".mp4"), out.path() + "/noext.mp4");
        QCOMPARE(UniquePath::forSource("/v/a.b.avi", out.path(), ".mp4"), out.path() + "/a.b.mp4");
        QCOMPARE(UniquePath::forSource("/v/100%1.avi", out.path(), ".mp4"), out.path() + "/100%1.mp4");
        // A backslash is an ordinary character of a name, in the source and the folder.
        QCOMPARE(UniquePath::forSource("/v/D:\\v\\clip.avi", out.path(), ".mp4"),
                 out.path() + "/D:\\v\\clip.mp4");
        QCOMPARE(UniquePath::forSource("/v/clip.avi", out.path() + "/x\\y", ".mp4"),
                 out.path() + "/x\\y/clip.mp4");
        QCOMPARE(UniquePath::forSource("", out.path(), ".mp4"), QString());
        QCOMPARE(UniquePath::forSource("/v/a.avi", "", ".mp4"), QString());
    }

    void pathsForSelectedAndFirstRow()
    {
        QTemporaryDir out;
        cfg->setConvertOutputDirectory(out.path());
        cfg->setRowPathSource([](int row) {
            return row == 0 ? QStringLiteral("/in/first.avi") : QStringLiteral("/in/second.mkv");
        });
        cfg->setSelectedRowSource([] { return -1; });
        QCOMPARE(cfg->selectedFilePath(), QString());
        QCOMPARE(cfg->uniqueOutputPathForSelected(".mp4"), QString());
        QCOMPARE(cfg->uniqueOutputPathForFirst(".mp4"), out.path() + "/first.mp4");
        cfg->setSelectedRowSource([] { return 1; });
        QCOMPARE(cfg->selectedFilePath(), QStringLiteral("/in/second.mkv"));
        QCOMPARE(cfg->uniqueOutputPathForSelected(".avi"), out.path() + "/second.avi");
        cfg->setSelectedRowSource({});
        cfg->setRowPathSource({});
    }

    void languagesListsInstalledTranslations()
    {
        const QString dir = QCoreApplication::applicationDirPath() + "/languages";
        const bool existed = QDir(dir).exists();
        QDir().mkpath(dir);
        const QStringList before = cfg->languages();
        const QStringList made = {"videoconverter_zz.qm", "videoconverter_AB.qm", "other_fr.qm",
                                  "videoconverter_de.txt"};
        for (const QString &f : made)
            QFile(dir + "/" + f).open(QIODevice::WriteOnly);
        QDir().mkpath(dir + "/videoconverter_dir.qm"); // a folder, not a file
        const QStringList after = cfg->languages();
        for (const QString &f : made)
            QFile::remove(dir + "/" + f);
        QDir().rmdir(dir + "/videoconverter_dir.qm");
        if (!existed)
            QDir().rmdir(dir);
        QStringList expected = before;
        expected << "AB"
                 << "zz";
        std::sort(expected.begin(), expected.end(),
                  [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(after, expected);
    }
};

QTEST_GUILESS_MAIN(TestVideoUserConfig)
#include "tst_videouserconfig.moc"
