#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/supportedfiles.h"
#include "core/media/videoinfo.h"
#include "core/media/videoinfomanager.h"
#include "core/media/videoloadstep.h"

#include <QtTest>

#include <functional>
#include <utility>

namespace {

// Writes every registry signal into one ordered log.
class SignalLog {
public:
    explicit SignalLog(VideoInfoManager &m)
    {
        auto add = [this](const QString &line) { lines << line; };
        QObject::connect(&m, &VideoInfoManager::videoInserted,
                         [add](int a, int b) { add(QStringLiteral("inserted(%1,%2)").arg(a).arg(b)); });
        QObject::connect(&m, qOverload<int>(&VideoInfoManager::videoRemoved),
                         [add](int i) { add(QStringLiteral("removed(%1)").arg(i)); });
        QObject::connect(&m, qOverload<const VideoBasicInfo &>(&VideoInfoManager::videoRemoved),
                         [add](const VideoBasicInfo &v) { add(QStringLiteral("removed(%1)").arg(name(v))); });
        QObject::connect(&m, &VideoInfoManager::videoUpdated,
                         [add](int i) { add(QStringLiteral("updated(%1)").arg(i)); });
        QObject::connect(&m, &VideoInfoManager::videoCountChanged,
                         [add](int n) { add(QStringLiteral("count(%1)").arg(n)); });
        QObject::connect(&m, &VideoInfoManager::videoFileInserted,
                         [add](int a, int b) { add(QStringLiteral("fileInserted(%1,%2)").arg(a).arg(b)); });
        QObject::connect(&m, qOverload<int>(&VideoInfoManager::videoFileRemoved),
                         [add](int i) { add(QStringLiteral("fileRemoved(%1)").arg(i)); });
        QObject::connect(
            &m, qOverload<const VideoBasicInfo &>(&VideoInfoManager::videoFileRemoved),
            [add](const VideoBasicInfo &v) { add(QStringLiteral("fileRemoved(%1)").arg(name(v))); });
        QObject::connect(&m, &VideoInfoManager::videoFileUpdated,
                         [add](int i) { add(QStringLiteral("fileUpdated(%1)").arg(i)); });
        QObject::connect(&m, &VideoInfoManager::videoFileCountChanged,
                         [add](int n) { add(QStringLiteral("fileCount(%1)").arg(n)); });
    }
    static QString name(const VideoBasicInfo &v) { return QFileInfo(v.filename).fileName(); }
    QStringList take()
    {
        QStringList out = lines;
        lines.clear();
        return out;
    }
    QStringList lines;
};

// A loading step that can be told to cancel and remembers what it reported.
class TestLoadStep : public VideoLoadStep {
public:
    int result = 1;
    QList<int> nextResults; // taken one per load before result
    QStringList reported;
    // Runs once in the middle of the next load, as a second start's hand-over
    // does while the loading dialog's event loop runs.
    std::function<void()> meanwhile;
    int run(const QList<VideoBasicInfo> &videos, VideoInfoList &loaded) override
    {
        if (meanwhile)
            std::exchange(meanwhile, nullptr)();
        for (const VideoBasicInfo &v : videos) {
            if (auto info = load(v))
                loaded.push_back(std::move(info));
        }
        return nextResults.isEmpty() ? result : nextResults.takeFirst();
    }

protected:
    void reportInvalid(const QString &path, const QString &) override { reported << path; }
};

} // namespace

class TestRegistry : public QObject {
    Q_OBJECT
private:
    QString dir, videoA, audio, videoB;
    TestLoadStep step;

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        videoA = dir + "/a.mp4";
        audio = dir + "/tone.mp3";
        videoB = dir + "/b.avi";
        QVERIFY(TestMedia::makeClip(videoA, 2.0, 160, 120));
        QVERIFY(TestMedia::makeClip(audio, 2.0, 0, 0));
        QVERIFY(TestMedia::makeClip(videoB, 2.0, 176, 144));
    }

    void recordDefaultsAndDisplayName()
    {
        VideoInfo v(QStringLiteral("/media/C:\\clip.avi"));
        QVERIFY(v.probed);
        QVERIFY(!v.valid);
        QVERIFY(!v.isValid());
        QCOMPARE(v.msStart, -1);
        QCOMPARE(v.width, -1);
        QVERIFY(!v.fileInfo);
        QVERIFY(v.keepRatio);
        QCOMPARE(v.subtitleFontName, QStringLiteral("Tahoma"));
        QCOMPARE(v.subtitleColor, QColor(255, 255, 255, 255));
        QCOMPARE(v.subtitleFontSize, 36);
        QCOMPARE(v.subtitleAlpha, 0);
        QCOMPARE(v.watermarkAlpha, 255);
        QCOMPARE(v.watermarkColorName, QStringLiteral("White"));
        QVERIFY(!v.hasEdits());
        v.flipChanged = true;
        QVERIFY(v.hasEdits());
        // A backslash is part of the name on Linux, not a separator.
        QCOMPARE(v.displayName(), QStringLiteral("C:\\clip.avi"));
        v.setDisplayName(QStringLiteral("mine"));
        QCOMPARE(v.displayName(), QStringLiteral("mine"));
    }

    void supportedSuffixes()
    {
        QCOMPARE(supportedFileSuffixes().size(), 59);
        QVERIFY(isSupportedFile("/x/CLIP.AVI"));
        QVERIFY(isSupportedFile("/x/show.tivo"));
        QVERIFY(isSupportedFile("/x/cam.h.264"));
        QVERIFY(isSupportedFile("/x/rec.dvr-ms"));
        QVERIFY(!isSupportedFile("/x/notes.txt"));
        QVERIFY(!isSupportedFile("/x/avi"));
    }

    void probeNormalisesAndChecksTheSection()
    {
        VideoInfo whole(videoA);
        QVERIFY(whole.valid);
        QVERIFY(!whole.isAudio);
        QCOMPARE(whole.msStart, 0);
        QVERIFY2(qAbs(whole.msEnd - 2000) <= 100, qPrintable(QString::number(whole.msEnd)));
        QCOMPARE(whole.width, 160);
        QCOMPARE(whole.height, 120);
        QVERIFY(!whole.thumbnail.isNull());
        QCOMPARE(whole.thumbnail.width(), 160);

        VideoInfo tooLong(VideoBasicInfo(videoA, 0, 60000));
        QVERIFY(!tooLong.valid);
        VideoInfo part(VideoBasicInfo(videoA, 500, 1500));
        QVERIFY(part.valid);
        QCOMPARE(part.msEnd, 1500);

        VideoInfo tone(audio);
        QVERIFY(tone.valid);
        QVERIFY(tone.isAudio);

        // A copy owns its own probe block.
        VideoInfo copy(whole);
        QVERIFY(copy.fileInfo && copy.fileInfo.get() != whole.fileInfo.get());
        QCOMPARE(copy.fileInfo->width, 160);
    }

    void addingEmitsRowsAndVideoFileIndexes()
    {
        VideoInfoManager m;
        m.setLoadStep(&step);
        m.setRememberAddedFiles(false);
        SignalLog log(m);
        m.addFile(videoA);
        QCOMPARE(log.take(), QStringList({"inserted(0,0)", "count(1)", "fileInserted(0,0)", "fileCount(1)"}));
        // N = 1, V = 1; the middle file is audio only.
        m.addFiles({videoB, audio, videoA});
        QCOMPARE(log.take(), QStringList({"inserted(1,3)", "count(4)", "fileInserted(1,2)", "fileCount(3)"}));
        QCOMPARE(m.count(), 4);
        QCOMPARE(m.videoFileCount(), 3);
        QCOMPARE(m.videoFileIndex(2), -1);
        QCOMPARE(m.videoFileIndex(3), 2);
        QCOMPARE(m.rowOfVideoFile(2), 3);
        QCOMPARE(m.rowOfVideoFile(3), -1);
        QCOMPARE(m.itemOfVideoFile(1), m.item(1));
        MediaSummary s;
        QVERIFY(m.mediaSummaryOfVideoFile(1, s));
        QCOMPARE(s.width, 176);
        QVERIFY(!m.mediaSummary(9, s));
        VideoBasicInfo b;
        QVERIFY(!m.basicInfo(-1, b));
        QVERIFY(m.basicInfo(2, b));
        QCOMPARE(b.filename, audio);
        QCOMPARE(m.msEnd(7), 0);
        QVERIFY(m.filePath(4).isEmpty());
        QVERIFY(!m.thumbnail(4));
        QCOMPARE(m.videos().size(), 4);
    }

    void unusableFilesAreReportedAndCancelChangesNothing()
    {
        VideoInfoManager m;
        m.setLoadStep(&step);
        m.setRememberAddedFiles(false);
        SignalLog log(m);
        const QString text = dir + "/notes.txt";
        const QString fake = dir + "/fake.avi";
        QFile f(fake);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a video");
        f.close();
        step.reported.clear();
        m.addFiles({text, fake, dir + "/missing.mp4", videoA});
        QCOMPARE(step.reported, QStringList({fake, dir + "/missing.mp4"}));
        QCOMPARE(m.count(), 1);
        log.take();
        step.result = 0;
        m.addFile(videoB);
        step.result = 1;
        QCOMPARE(m.count(), 1);
        QVERIFY(log.take().isEmpty());
    }

    void filesAddedWhileALoadRunsLoadNext()
    {
        VideoInfoManager m;
        m.setLoadStep(&step);
        m.setRememberAddedFiles(false);
        step.meanwhile = [&m, this] { m.addFiles({videoB, videoA}); };
        m.addFile(videoA);
        QCOMPARE(m.count(), 3);
        QCOMPARE(m.filePath(0), videoA);
        QCOMPARE(m.filePath(1), videoB);
        QCOMPARE(m.filePath(2), videoA);
        // A cancelled load drops only its own files.
        step.nextResults = {0, 1};
        step.meanwhile = [&m, this] { m.addFile(videoB); };
        m.addFile(videoA);
        QCOMPARE(m.count(), 4);
        QCOMPARE(m.filePath(3), videoB);
    }

    void removalsKeepOrderAndNameTheRemovedFile()
    {
        VideoInfoManager m;
        m.setLoadStep(&step);
        m.setRememberAddedFiles(false);
        m.addFiles({videoA, audio, videoB, videoA});
        SignalLog log(m);
        m.removeVideos({3, 1});
        QCOMPARE(log.take(), QStringList({"removed(3)", "removed(a.mp4)", "count(3)", "fileRemoved(2)",
                                          "fileRemoved(a.mp4)", "fileCount(2)", "removed(1)",
                                          "removed(tone.mp3)", "count(2)"}));
        QCOMPARE(m.filePath(1), videoB);
        m.removeVideo(5);
        QVERIFY(log.take().isEmpty());
        m.clear();
        QCOMPARE(log.take(),
                 QStringList({"removed(1)", "removed(b.avi)", "count(1)", "fileRemoved(1)",
                              "fileRemoved(b.avi)", "fileCount(1)", "removed(0)", "removed(a.mp4)",
                              "count(0)", "fileRemoved(0)", "fileRemoved(a.mp4)", "fileCount(0)"}));
    }

    void movesDuplicatesAndRenames()
    {
        VideoInfoManager m;
        m.setLoadStep(&step);
        m.setRememberAddedFiles(false);
        m.addFile(videoA);
        QCOMPARE(m.count(), 1);
        SignalLog log(m);
        m.item(0)->effectChanged = true;
        m.item(0)->brightness = 40;
        m.duplicate(0);
        QCOMPARE(log.take(), QStringList({"inserted(1,1)", "count(2)", "fileInserted(1,1)", "fileCount(2)"}));
        QCOMPARE(m.item(1)->brightness, 40);
        QVERIFY(m.item(1)->fileInfo.get() != m.item(0)->fileInfo.get());

        m.addFile(audio);
        log.take();
        m.moveUp(0);
        m.moveDown(2);
        QVERIFY(log.take().isEmpty());
        m.moveUp(2);
        QCOMPARE(log.take(), QStringList({"updated(1)", "updated(2)"}));
        QCOMPARE(m.filePath(1), audio);
        m.moveDown(0);
        QCOMPARE(log.take(), QStringList({"updated(1)", "updated(0)"}));

        m.rename(0, QStringLiteral("tune"));
        QCOMPARE(log.take(), QStringList({"updated(0)"}));
        QCOMPARE(m.displayName(0), QStringLiteral("tune"));
        m.rename(2, QStringLiteral("last"));
        QCOMPARE(log.take(), QStringList({"updated(2)", "fileUpdated(1)"}));
        m.rename(3, QStringLiteral("none"));
        QVERIFY(log.take().isEmpty());
    }

    void addedFilesGoToRecentListAndLastFolder()
    {
        VideoUserConfig *config = VideoUserConfig::instance();
        config->settings().remove(QStringLiteral("RecentFiles"));
        VideoInfoManager m;
        m.setLoadStep(&step);
        m.addFiles({videoA, dir + "/missing.mp4", videoB});
        QCOMPARE(config->recentFiles(), QStringList({videoB, videoA}));
        QCOMPARE(QFileInfo(config->lastOpenDirectory()).canonicalFilePath(),
                 QFileInfo(dir).canonicalFilePath());

        VideoInfoManager quiet;
        quiet.setLoadStep(&step);
        quiet.setRememberAddedFiles(false);
        quiet.addFile(audio);
        QCOMPARE(config->recentFiles(), QStringList({videoB, videoA}));
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
