// The playback pipeline's parts on their own: the bounded queues with their
// serials, the clock, and a session's ordered shutdown.
#include "common/testmedia.h"
#include "engine/playback/playeraudiooutput.h"
#include "engine/playback/playerclock.h"
#include "engine/playback/playerfilterstate.h"
#include "engine/playback/playerframequeue.h"
#include "engine/playback/playerpacketqueue.h"
#include "engine/playback/playersession.h"
#include "engine/playback/playervideooutput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace playback;

namespace {
PacketPtr packetOfSize(int size)
{
    PacketPtr p = makePacket();
    if (p && av_new_packet(p.get(), size) < 0)
        p.reset();
    return p;
}
} // namespace

class TestPlayerParts : public QObject {
    Q_OBJECT
    QString clip;
    // As in the player, the outputs outlive every session (a repaint
    // request may still be queued for the output after a session ends).
    FilterState filters;
    VideoOutput output{[] { return int64_t(0); }};
    AudioOutput audio;

private slots:
    void initTestCase()
    {
        clip = TestMedia::tempDir() + "/parts.mp4";
        QVERIFY(TestMedia::makeClip(clip, 5, 320, 240, "25"));
    }

    // A flush drops what is queued and tags what follows with the new serial.
    void packetQueueKeepsSerialsApart()
    {
        PacketQueue q;
        q.put(packetOfSize(1000));
        q.put(packetOfSize(500));
        QCOMPARE(q.count(), 2);
        QVERIFY(q.bytes() >= 1500);
        q.flush(7);
        QCOMPARE(q.count(), 0);
        QCOMPARE(q.bytes(), int64_t(0));
        QCOMPARE(q.serial(), 7);
        q.put(packetOfSize(10));
        q.putEndOfStream();
        PacketQueue::Item item;
        QVERIFY(q.get(item));
        QCOMPARE(item.serial, 7);
        QVERIFY(item.packet);
        QVERIFY(q.get(item));
        QVERIFY(!item.packet); // the end of the stream
        QCOMPARE(item.serial, 7);
        QCOMPARE(q.bytes(), int64_t(0));
    }

    // The frame queue holds no more than its capacity, and shows its two
    // oldest frames without taking them.
    void frameQueueIsBounded()
    {
        FrameQueue q(2);
        for (int i = 0; i < 2; ++i) {
            DecodedFrame f;
            f.serial = 1;
            f.ptsMs = 40.0 * i;
            QVERIFY(q.push(std::move(f)));
        }
        std::atomic<bool> pushed{false};
        std::thread producer([&] {
            DecodedFrame f;
            f.ptsMs = 80.0;
            pushed = q.push(std::move(f));
        });
        QTest::qWait(200);
        QVERIFY(!pushed); // waits for room
        int serial = 0;
        double pts = 0.0, duration = 0.0;
        QVERIFY(q.front(serial, pts, duration));
        QCOMPARE(pts, 0.0);
        QVERIFY(q.second(serial, pts));
        QCOMPARE(pts, 40.0);
        DecodedFrame taken;
        QVERIFY(q.pop(taken));
        producer.join();
        QVERIFY(pushed);
        QCOMPARE(q.size(), size_t(2));
    }

    // Aborting releases a consumer waiting for packets and a producer
    // waiting for room, and what comes later is refused.
    void abortReleasesWaitingThreads()
    {
        PacketQueue packets;
        FrameQueue frames(1);
        QVERIFY(frames.push(DecodedFrame()));
        std::atomic<int> got{-1}, pushed{-1};
        std::thread consumer([&] {
            PacketQueue::Item item;
            got = packets.get(item) ? 1 : 0;
        });
        std::thread producer([&] { pushed = frames.push(DecodedFrame()) ? 1 : 0; });
        QTest::qWait(200);
        QCOMPARE(got.load(), -1);
        QCOMPARE(pushed.load(), -1);
        packets.abort();
        frames.abort();
        consumer.join();
        producer.join();
        QCOMPARE(got.load(), 0);
        QCOMPARE(pushed.load(), 0);
        packets.put(packetOfSize(10));
        QCOMPARE(packets.count(), 0);
    }

    // Paused, the decoders fill their frame queues and wait for room and the
    // demux thread waits for the packet queues: shutdown still ends every
    // thread, promptly.
    void sessionShutsDownWithFullQueues()
    {
        PlayerSession session(filters, output, audio);
        std::string error;
        QVERIFY2(session.open(clip.toStdString(), &error), error.c_str());
        QVERIFY(session.hasVideo());
        session.play();
        session.pause();
        QTRY_VERIFY_WITH_TIMEOUT(session.shownFrames() > 0, 5000);
        QTest::qWait(500);
        QCOMPARE(session.status(), PLAY_STATUS_PAUSED);
        QElapsedTimer t;
        t.start();
        session.shutdown();
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(session.status(), PLAY_STATUS_STOPPED);
    }

    // A seek starts a new run of the clock.  The sound device's correction
    // measured on the sound before the seek arrives late (its callback runs
    // on its own thread): it must not put the clock back where the seek left,
    // nor may corrections within a run move it by less than the tolerance.
    void clockTakesCorrectionsOnlyFromItsOwnRun()
    {
        PlayerClock clock;
        clock.set(2400, 1);
        clock.setPaused(true);
        QVERIFY(clock.follow(2500, 1, 40));
        QCOMPARE(clock.get(), 2500.0);
        clock.set(1000, 2); // the seek back
        QVERIFY(!clock.follow(2520, 1, 40));
        QCOMPARE(clock.get(), 1000.0);
        QVERIFY(!clock.follow(1030, 2, 40));
        QCOMPARE(clock.get(), 1000.0);
        QVERIFY(clock.follow(1100, 2, 40));
        QCOMPARE(clock.get(), 1100.0);

        // The same race on threads: late corrections from the old run never
        // show through once the new run has set the clock.
        clock.set(5000, 3);
        std::atomic<bool> seeked{false}, stop{false}, stale{false};
        std::thread sound([&] {
            while (!stop)
                clock.follow(5000, 3, 0);
        });
        std::thread watcher([&] {
            while (!stop)
                if (seeked && clock.get() > 4000)
                    stale = true;
        });
        QTest::qWait(20);
        clock.set(100, 4);
        seeked = true;
        QTest::qWait(50);
        stop = true;
        sound.join();
        watcher.join();
        QVERIFY(!stale);
    }

    // A session that never started, or one that cannot open, goes quietly.
    void sessionThatNeverPlayedEndsQuietly()
    {
        {
            PlayerSession session(filters, output, audio);
            QVERIFY(session.open(clip.toStdString(), nullptr));
            QCOMPARE(session.status(), PLAY_STATUS_STOPPED);
            QCOMPARE(session.position(), 0.0);
        }
        const QString junk = TestMedia::tempDir() + "/parts_junk.mp4";
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2048, 'z'));
        f.close();
        PlayerSession session(filters, output, audio);
        std::string error;
        QVERIFY(!session.open(junk.toStdString(), &error));
        QVERIFY(error.find("parts_junk.mp4") != std::string::npos);
        session.play(); // nothing to play: no thread starts
        QCOMPARE(session.status(), PLAY_STATUS_STOPPED);
    }
};

QTEST_MAIN(TestPlayerParts)
#include "tst_playerparts.moc"
