// How the player opens a file: the streams it picks, the pictures it
// refuses, and inputs that stall.
#include "common/testmedia.h"
#include "engine/av/decoder.h"
#include "engine/av/demuxer.h"
#include "engine/playback/ffmpegplayer.h"
#include "engine/playback/playersession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A FIFO in the test folder.  A watchdog releases a reader stuck on it
// every minute (by a writer that comes and goes), so that a fault shows as
// a failed check instead of a hung test.
class Fifo {
public:
    explicit Fifo(const QString &path) : m_path(path.toLocal8Bit())
    {
        ::unlink(m_path.constData());
        m_ok = ::mkfifo(m_path.constData(), 0600) == 0;
        m_watchdog = std::thread([this] { watch(); });
    }
    ~Fifo()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_cond.notify_all();
        m_watchdog.join();
        closeWriter();
        ::unlink(m_path.constData());
    }
    bool ok() const { return m_ok; }
    // A writer that never writes: readers find no data and no end.
    bool holdWriter()
    {
        m_writer = ::open(m_path.constData(), O_RDWR | O_CLOEXEC);
        return m_writer >= 0;
    }
    void closeWriter()
    {
        const int fd = m_writer.exchange(-1);
        if (fd >= 0)
            ::close(fd);
    }

private:
    void watch()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_cond.wait_for(lock, std::chrono::seconds(60), [this] { return m_done; })) {
            qWarning("a reader hung on the FIFO; releasing it");
            closeWriter();
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
    }

    QByteArray m_path;
    bool m_ok = false;
    std::atomic<int> m_writer{-1};
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_done = false;
    std::thread m_watchdog;
};

// Rewrites the picture size in an AVI file of 64x64 MJPEG pictures, in the
// stream header and in every picture's frame header.
bool claimPictureSize(const QString &path, int width, int height)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    QByteArray data = f.readAll();
    const QByteArray sof("\xff\xc0\x00\x11\x08\x00\x40\x00\x40", 9);
    QByteArray bigSof = sof.left(5);
    for (int v : {height, width})
        bigSof.append(char(v >> 8)).append(char(v & 0xff));
    if (!data.contains(sof))
        return false;
    data.replace(sof, bigSof);
    // BITMAPINFOHEADER: size, then width and height (little-endian).
    const qsizetype strf = data.indexOf("strf");
    if (strf < 0)
        return false;
    for (int i = 0; i < 4; ++i) {
        data[strf + 12 + i] = char((width >> (8 * i)) & 0xff);
        data[strf + 16 + i] = char((height >> (8 * i)) & 0xff);
    }
    f.seek(0);
    return f.write(data) == data.size();
}

} // namespace

class TestPlayerOpen : public QObject {
    Q_OBJECT
    CffmpegPlayer *p = FFP_GetPlayer();
    QString dir;

    static QByteArray path(const QString &s) { return s.toLocal8Bit(); }
    bool waitForPicture(int timeoutMs = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs && p->GetShownFramePosition() < 0)
            QTest::qWait(10);
        return p->GetShownFramePosition() >= 0;
    }

private slots:
    void initTestCase()
    {
        dir = TestMedia::tempDir();
        CffmpegPlayer::setWndID(0);
    }
    void cleanup() { p->CloseFile(); }

    // A thumbnail-sized stream first (marked as the default one), the main
    // picture second: the player shows what the probe reports, the main one.
    void playerShowsTheStreamTheProbeReports()
    {
        const QString two = dir + "/two_pictures.mkv";
        QVERIFY(TestMedia::ffmpeg({"-f",
                                   "lavfi",
                                   "-i",
                                   "testsrc2=size=160x90:rate=25:duration=2",
                                   "-f",
                                   "lavfi",
                                   "-i",
                                   "testsrc2=size=640x360:rate=25:duration=2",
                                   "-f",
                                   "lavfi",
                                   "-i",
                                   "sine=duration=2",
                                   "-map",
                                   "0:v",
                                   "-map",
                                   "1:v",
                                   "-map",
                                   "2:a",
                                   "-disposition:v:0",
                                   "default",
                                   "-disposition:v:1",
                                   "0",
                                   "-c:v",
                                   "libx264",
                                   "-pix_fmt",
                                   "yuv420p",
                                   "-c:a",
                                   "aac",
                                   two}));
        QCOMPARE(TestMedia::stream(TestMedia::probe(two), "video").value("width").toInt(), 160);

        QVERIFY(p->OpenFile(path(two).constData()));
        FileInfo info;
        QVERIFY(p->GetFileInfo(&info));
        QCOMPARE(QSize(info.width, info.height), QSize(640, 360));
        p->Play();
        p->Pause();
        QVERIFY(waitForPicture());
        const QString shot = dir + "/two.bmp";
        QCOMPARE(p->SnapImage(path(shot).constData(), 1), 1);
        QCOMPARE(QImage(shot).size(), QSize(info.width, info.height));
    }

    void pictureSizeLimit()
    {
        QVERIFY(Decoder::pictureFits(16384, 16384));
        QVERIFY(!Decoder::pictureFits(16385, 16384));
        QVERIFY(!Decoder::pictureFits(40000, 40000));
        QVERIFY(!Decoder::pictureFits(0, 480));
        QVERIFY(!Decoder::pictureFits(640, -1));
    }

    void pictureBeyondTheLimitIsRefused_data()
    {
        QTest::addColumn<bool>("withSound");
        QTest::newRow("picture only") << false;
        QTest::newRow("picture and sound") << true;
    }
    // Pictures of 40000x40000: no decoder may allocate them.  Without sound
    // the file does not open; with sound it plays as a sound file, as the
    // probe (and so the conversion) sees it.  Neither crashes.
    void pictureBeyondTheLimitIsRefused()
    {
        QFETCH(bool, withSound);
        const QString file = dir + (withSound ? "/huge_sound.avi" : "/huge.avi");
        QStringList args{"-f", "lavfi", "-i", "testsrc2=size=64x64:rate=25:duration=1"};
        if (withSound)
            args += QStringList{"-f", "lavfi", "-i", "sine=duration=1", "-c:a", "pcm_s16le"};
        args += QStringList{"-c:v", "mjpeg", file};
        QVERIFY(TestMedia::ffmpeg(args));
        // The same file with its own size plays: the refusal is the size's doing.
        QVERIFY(p->OpenFile(path(file).constData()));
        QCOMPARE(p->IsAudioFile(), 0);
        p->CloseFile();

        QVERIFY(claimPictureSize(file, 40000, 40000));
        const int opened = p->OpenFile(path(file).constData());
        QCOMPARE(opened != 0, withSound);
        if (!withSound) {
            QCOMPARE(p->Play(), 0);
            QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
            QCOMPARE(p->GetOpenedFileName(), std::string());
            return;
        }
        QCOMPARE(p->IsAudioFile(), 1);
        FileInfo info;
        QVERIFY(p->GetFileInfo(&info));
        QCOMPARE(info.width, 0);
        p->Play();
        QTRY_VERIFY_WITH_TIMEOUT(p->GetCurrentPosition() > 200, 5000);
        QCOMPARE(p->SnapImage(path(dir + "/huge.bmp").constData(), 1), 0); // no picture
        QTRY_COMPARE_WITH_TIMEOUT(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED), 5000);
    }

    // A FIFO whose writer never writes: OpenFile gives up at the open
    // deadline instead of hanging the GUI thread.
    void stalledInputEndsAtTheDeadline()
    {
        Fifo fifo(dir + "/stalled.fifo");
        QVERIFY(fifo.ok());
        QVERIFY(fifo.holdWriter());
        QElapsedTimer t;
        t.start();
        QCOMPARE(p->OpenFile(path(dir + "/stalled.fifo").constData()), 0);
        const qint64 ms = t.elapsed();
        QVERIFY2(ms < playback::PlayerSession::kOpenDeadlineMs + 15000, qPrintable(QString::number(ms)));
        QCOMPARE(p->GetPlayStatus(), int(PLAY_STATUS_STOPPED));
        QCOMPARE(p->GetOpenedFileName(), std::string());
    }

    // Nobody has the FIFO open for writing: nothing will come, and opening
    // says so at once.
    void fifoWithoutWriterIsRefusedAtOnce()
    {
        Fifo fifo(dir + "/nowriter.fifo");
        QVERIFY(fifo.ok());
        QElapsedTimer t;
        t.start();
        QCOMPARE(p->OpenFile(path(dir + "/nowriter.fifo").constData()), 0);
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
    }

    // A stop request reaches a read that waits on a stalled FIFO.
    void stopRequestCutsAStalledOpenShort()
    {
        Fifo fifo(dir + "/stop.fifo");
        QVERIFY(fifo.ok());
        QVERIFY(fifo.holdWriter());
        std::atomic<bool> stop{false};
        std::thread stopper([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            stop = true;
        });
        Demuxer demuxer;
        std::string error;
        QElapsedTimer t;
        t.start();
        const bool opened = demuxer.open(path(dir + "/stop.fifo").toStdString(), false, &error,
                                         [&stop] { return stop.load(); });
        const qint64 ms = t.elapsed();
        stopper.join();
        QVERIFY(!opened);
        QVERIFY2(ms < 8000, qPrintable(QString::number(ms))); // the open deadline is 30 s
        QVERIFY(!error.empty());
    }

    // Data that does come through a FIFO is read whole: the same packets
    // as from the file itself.
    void fifoDeliversEveryPacket()
    {
        const QString clip = dir + "/fifo_clip.ts";
        QVERIFY(
            TestMedia::makeClip(clip, 2, 320, 240, "25", 44100, 2, {"-c:v", "mpeg2video", "-c:a", "mp2"}));
        auto countPackets = [](const std::string &file, int *video, int *audio) {
            Demuxer demuxer;
            std::string error;
            if (!demuxer.open(file, false, &error))
                return false;
            av::PacketPtr pkt = av::makePacket();
            while (demuxer.read(pkt.get()) >= 0) {
                *video += pkt->stream_index == demuxer.videoIndex();
                *audio += pkt->stream_index == demuxer.audioIndex();
                av_packet_unref(pkt.get());
            }
            return true;
        };
        int fileVideo = 0, fileAudio = 0;
        QVERIFY(countPackets(clip.toStdString(), &fileVideo, &fileAudio));
        QVERIFY(fileVideo >= 50 && fileAudio > 0);

        Fifo fifo(dir + "/data.fifo");
        QVERIFY(fifo.ok());
        const QByteArray fifoPath = path(dir + "/data.fifo");
        std::thread writer([&] {
            QFile in(clip);
            const int fd = ::open(fifoPath.constData(), O_WRONLY | O_CLOEXEC); // waits for the reader
            if (fd < 0 || !in.open(QIODevice::ReadOnly))
                return;
            const QByteArray data = in.readAll();
            for (qsizetype done = 0; done < data.size();) {
                const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
                if (n <= 0)
                    break;
                done += n;
            }
            ::close(fd);
        });
        int video = 0, audio = 0;
        // The reader opens non-blocking: give the writer its turn first.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const bool read = countPackets(fifoPath.toStdString(), &video, &audio);
        writer.join();
        QVERIFY(read);
        QCOMPARE(video, fileVideo);
        QCOMPARE(audio, fileAudio);
    }
};

QTEST_MAIN(TestPlayerOpen)
#include "tst_playeropen.moc"
