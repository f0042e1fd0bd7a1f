// Files added to the list are probed on worker threads: outcomes come back
// in the order of the list, a stalled file holds back only the rows after
// it, a cancel lets go of a stalled probe, and the registry shows rows as
// they are ready and takes them back when the load is cancelled.

#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/parallelvideoloader.h"
#include "core/media/videoinfomanager.h"
#include "core/media/videoloadstep.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>

namespace {

// Entries named "slow" wait at a gate the test opens.
class GatedLoader : public ParallelVideoLoader {
public:
    using ParallelVideoLoader::ParallelVideoLoader;
    ~GatedLoader() override
    {
        open = true;
        stopWorkers(); // they call into this object
    }
    mutable std::atomic<int> probed{0};
    std::atomic<bool> open{false};

protected:
    VideoLoadOutcome loadOne(const VideoBasicInfo &entry, MediaProbe &probe) const override
    {
        while (entry.filename.contains(QLatin1String("slow")) && !open.load())
            QThread::msleep(5);
        VideoLoadOutcome outcome = ParallelVideoLoader::loadOne(entry, probe);
        probed.fetch_add(1);
        return outcome;
    }
};

QString kinds(const std::vector<VideoLoadOutcome> &outcomes)
{
    QStringList out;
    for (const VideoLoadOutcome &o : outcomes) {
        const QString name = QFileInfo(o.entry.filename).fileName();
        switch (o.kind) {
        case VideoLoadOutcome::Kind::Loaded:
            out << name + ":loaded";
            break;
        case VideoLoadOutcome::Kind::Unsupported:
            out << name + ":unsupported";
            break;
        case VideoLoadOutcome::Kind::Invalid:
            out << name + ":invalid";
            break;
        }
    }
    return out.join(' ');
}

// Hands over the first record at once and the others at the end, then
// answers with result (0: the user cancelled).
class TwoBatchStep : public VideoLoadStep {
public:
    int result = 1;
    int run(const QList<VideoBasicInfo> &, VideoInfoList &) override { return 0; }
    int runProgressive(const QList<VideoBasicInfo> &videos, const Delivery &deliver) override
    {
        VideoInfoList first, rest;
        for (const VideoBasicInfo &v : videos) {
            auto info = load(v);
            if (!info)
                continue;
            (first.empty() ? first : rest).push_back(std::move(info));
        }
        deliver(first);
        deliver(rest);
        return result;
    }

protected:
    void reportInvalid(const QString &, const QString &) override {}
};

} // namespace

class TestParallelLoading : public QObject {
    Q_OBJECT
    QString dir, videoA, audio, videoB;

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

    // The first entry is slow; the others are done meanwhile but wait for
    // it, and the owner's thread is never held up.
    void outcomesKeepTheListOrder()
    {
        const QString slow = dir + "/slow.mp4";
        QVERIFY(QFile::copy(videoB, slow));
        const QString notes = dir + "/notes.txt";
        GatedLoader loader(2);
        QSignalSpy ready(&loader, &ParallelVideoLoader::ready);
        QElapsedTimer clock;
        clock.start();
        loader.start({VideoBasicInfo(slow), VideoBasicInfo(videoA), VideoBasicInfo(notes),
                      VideoBasicInfo(audio), VideoBasicInfo(dir + "/missing.avi")});
        QVERIFY(clock.elapsed() < 500); // start() only starts
        QTRY_COMPARE_WITH_TIMEOUT(loader.probed.load(), 4, 30000);
        QTest::qWait(50);
        QCOMPARE(ready.count(), 0);
        QVERIFY(loader.takeReady().empty());
        QVERIFY(!loader.done());

        loader.open = true;
        QTRY_VERIFY_WITH_TIMEOUT(ready.count() > 0, 30000);
        std::vector<VideoLoadOutcome> all = loader.takeReady();
        QVERIFY(loader.done());
        QCOMPARE(kinds(all),
                 QStringLiteral("slow.mp4:loaded a.mp4:loaded notes.txt:unsupported tone.mp3:loaded "
                                "missing.avi:invalid"));
        QCOMPARE(all[0].record->thumbnail.size(), QSize(176, 144));
        QCOMPARE(all[1].record->width, 160);
        QVERIFY(!all[1].record->thumbnail.isNull());
        QVERIFY(all[3].record->isAudio);
        QCOMPARE(all[4].reason, QStringLiteral("file not found"));
    }

    // After a cancel nothing more is handed out, the entries not started
    // are never probed, and the loader goes at once.
    void cancelStopsTheLoad()
    {
        const QString slow = dir + "/slow2.mp4";
        QVERIFY(QFile::copy(videoA, slow));
        QElapsedTimer clock;
        {
            GatedLoader loader(1);
            loader.start({VideoBasicInfo(slow), VideoBasicInfo(videoA), VideoBasicInfo(videoB)});
            QTest::qWait(100);
            loader.cancel();
            QVERIFY(loader.done());
            loader.open = true;
            QTest::qWait(200);
            QVERIFY(loader.takeReady().empty());
            QVERIFY(loader.waitForReady().empty());
            QCOMPARE(loader.probed.load(), 1);
            clock.start();
        }
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }

    // Many workers at once, each with its own probe: every record right.
    void workersProbeSideBySide()
    {
        QList<VideoBasicInfo> entries;
        for (int i = 0; i < 12; ++i)
            entries << VideoBasicInfo(i % 3 == 0 ? videoA : i % 3 == 1 ? videoB : audio);
        ParallelVideoLoader loader(4);
        QCOMPARE(loader.workerCount(), 4);
        loader.start(entries);
        std::vector<VideoLoadOutcome> all;
        for (;;) {
            std::vector<VideoLoadOutcome> ready = loader.waitForReady();
            if (ready.empty())
                break;
            for (auto &o : ready)
                all.push_back(std::move(o));
        }
        QCOMPARE(int(all.size()), 12);
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(all[size_t(i)].entry.filename, entries[i].filename);
            QVERIFY(all[size_t(i)].record);
            const VideoInfo &v = *all[size_t(i)].record;
            QCOMPARE(v.isAudio, i % 3 == 2);
            QCOMPARE(v.width, i % 3 == 0 ? 160 : i % 3 == 1 ? 176 : 0);
            QVERIFY(qAbs(v.msEnd - 2000) <= 100);
        }
    }

    void silentStepLoadsInOrderWithoutThumbnailsWhereAsked()
    {
        SilentVideoLoadStep step;
        VideoInfoList loaded;
        QCOMPARE(step.run({VideoBasicInfo(videoB), VideoBasicInfo(dir + "/missing.mp4"),
                           VideoBasicInfo(audio), VideoBasicInfo(videoA, 500, 1500)},
                          loaded),
                 1);
        QCOMPARE(int(loaded.size()), 3);
        QCOMPARE(loaded[0]->filename, videoB);
        QCOMPARE(loaded[1]->filename, audio);
        QCOMPARE(loaded[2]->msStart, 500);
        QCOMPARE(loaded[2]->msEnd, 1500);

        ParallelVideoLoader bare(1);
        bare.setThumbnails(false);
        bare.start({VideoBasicInfo(videoA)});
        std::vector<VideoLoadOutcome> ready = bare.waitForReady();
        QCOMPARE(int(ready.size()), 1);
        QVERIFY(ready[0].record && ready[0].record->valid);
        QVERIFY(ready[0].record->thumbnail.isNull());
    }

    // Rows appear batch by batch, each with the insertion signals in their
    // order; a cancelled load takes its rows out again.
    void rowsAppearAsReadyAndCancelTakesThemBack()
    {
        VideoInfoManager m;
        TwoBatchStep step;
        m.setLoadStep(&step);
        m.setRememberAddedFiles(false);
        QStringList log;
        connect(&m, &VideoInfoManager::videoInserted, this,
                [&](int a, int b) { log << QStringLiteral("inserted(%1,%2)").arg(a).arg(b); });
        connect(&m, &VideoInfoManager::videoCountChanged, this,
                [&](int n) { log << QStringLiteral("count(%1)").arg(n); });
        connect(&m, &VideoInfoManager::videoFileInserted, this,
                [&](int a, int b) { log << QStringLiteral("fileInserted(%1,%2)").arg(a).arg(b); });
        connect(&m, &VideoInfoManager::videoFileCountChanged, this,
                [&](int n) { log << QStringLiteral("fileCount(%1)").arg(n); });
        connect(&m, qOverload<int>(&VideoInfoManager::videoRemoved), this,
                [&](int i) { log << QStringLiteral("removed(%1)").arg(i); });

        m.addFiles({videoA, audio, videoB});
        QCOMPARE(log, QStringList({"inserted(0,0)", "count(1)", "fileInserted(0,0)", "fileCount(1)",
                                   "inserted(1,2)", "count(3)", "fileInserted(1,1)", "fileCount(2)"}));
        log.clear();

        step.result = 0;
        m.addFiles({videoB, videoA});
        QCOMPARE(m.count(), 3);
        QCOMPARE(log,
                 QStringList({"inserted(3,3)", "count(4)", "fileInserted(2,2)", "fileCount(3)",
                              "inserted(4,4)", "count(5)", "fileInserted(3,3)", "fileCount(4)", "removed(4)",
                              "count(4)", "fileCount(3)", "removed(3)", "count(3)", "fileCount(2)"}));
        QCOMPARE(m.filePath(2), videoB);
    }

    void cancelledLoadLeavesTheRecentListAlone()
    {
        VideoUserConfig *config = VideoUserConfig::instance();
        config->settings().remove(QStringLiteral("RecentFiles"));
        VideoInfoManager m;
        TwoBatchStep step;
        step.result = 0;
        m.setLoadStep(&step);
        m.addFiles({videoA});
        QCOMPARE(m.count(), 0);
        QVERIFY(config->recentFiles().isEmpty());
        step.result = 1;
        m.addFiles({videoA});
        QCOMPARE(config->recentFiles(), QStringList({videoA}));
    }
};

QTEST_GUILESS_MAIN(TestParallelLoading)
#include "tst_parallelloading.moc"
