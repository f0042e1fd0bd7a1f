#include "engine/probe/mediaprobe.h"

#include "common/testmedia.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Mean absolute difference of two same-sized pictures, 0..255.
double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i)
            sum += qAbs(int(p[i]) - int(q[i]));
    }
    return sum / (x.width() * x.height() * 3.0);
}

QImage referenceFrame(const QString &src, double seconds, const QString &png)
{
    if (!TestMedia::ffmpeg({"-ss", QString::number(seconds), "-i", src, "-frames:v", "1", png}))
        return {};
    return QImage(png);
}

} // namespace

class TestProbe : public QObject {
    Q_OBJECT
    QString m_dir;

private slots:
    void initTestCase() { m_dir = TestMedia::tempDir(); }

    void valuesAgreeWithFfprobe_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("channels");
        QTest::newRow("mp4") << "a.mp4" << QStringList{"-b:v", "300k"} << "25" << 44100 << 2;
        QTest::newRow("mkv ntsc mono") << "b.mkv" << QStringList{} << "30000/1001" << 48000 << 1;
        QTest::newRow("avi") << "c.avi" << QStringList{} << "15" << 22050 << 2;
    }

    void valuesAgreeWithFfprobe()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, extra);
        QFETCH(QString, rate);
        QFETCH(int, sampleRate);
        QFETCH(int, channels);
        const QString path = m_dir + "/" + name;
        QVERIFY(TestMedia::makeClip(path, 2.0, 320, 240, rate, sampleRate, channels, extra));
        const QJsonObject p = TestMedia::probe(path);
        const QJsonObject v = TestMedia::stream(p, "video");
        const QJsonObject a = TestMedia::stream(p, "audio");

        MediaProbe probe;
        QVERIFY(probe.open(path.toStdString()));
        FileInfo info;
        QVERIFY(probe.fillFileInfo(&info));
        QVERIFY(!probe.isAudioOnly());
        QVERIFY(qAbs(info.durationMs - TestMedia::durationSeconds(p) * 1000.0) < 1.0);
        QCOMPARE(info.width, v.value("width").toInt());
        QCOMPARE(info.height, v.value("height").toInt());
        const QStringList fr = v.value("avg_frame_rate").toString().split('/');
        QVERIFY(qAbs(info.frameRate - fr[0].toDouble() / fr[1].toDouble()) < 0.001);
        QCOMPARE(info.sampleRate, a.value("sample_rate").toString().toInt());
        QCOMPARE(info.channels, a.value("channels").toInt());
        // Stream rates: as stored, or estimated within the file's overall rate.
        const int total = p.value("format").toObject().value("bit_rate").toString().toInt();
        if (v.contains("bit_rate"))
            QCOMPARE(info.videoBitrate, v.value("bit_rate").toString().toInt());
        else
            QVERIFY(info.videoBitrate > 0 && info.videoBitrate <= total);
        if (a.contains("bit_rate"))
            QCOMPARE(info.audioBitrate, a.value("bit_rate").toString().toInt());
        else
            QVERIFY(info.audioBitrate > 0 && info.audioBitrate <= total);
    }

    void coverArtIsNotVideo()
    {
        const QString path = m_dir + "/cover.mp3";
        QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "sine=duration=1", "-f", "lavfi", "-i",
                                   "color=red:size=64x64:duration=1", "-map", "0:a", "-map", "1:v",
                                   "-frames:v", "1", "-c:v", "png", "-disposition:v", "attached_pic", path}));
        MediaProbe probe;
        QVERIFY(probe.open(path.toStdString()));
        QVERIFY(probe.isAudioOnly());
        FileInfo info;
        QVERIFY(probe.fillFileInfo(&info));
        QCOMPARE(info.width, 0);
        QCOMPARE(info.sampleRate, 44100);
        QVERIFY(info.audioBitrate > 0);
        QVERIFY(probe.thumbnailJpeg(0).empty());
    }

    void thumbnailShowsTheRequestedMoment()
    {
        const QString path = m_dir + "/thumb.mp4";
        QVERIFY(TestMedia::makeClip(path, 3.0, 320, 240, "25", 0));
        MediaProbe probe;
        QVERIFY(probe.open(path.toStdString()));
        const std::vector<uint8_t> jpeg = probe.thumbnailJpeg(1500);
        QVERIFY(jpeg.size() > 2);
        QCOMPARE(int(jpeg[0]), 0xFF);
        QCOMPARE(int(jpeg[1]), 0xD8);
        QImage thumb;
        QVERIFY(thumb.loadFromData(jpeg.data(), int(jpeg.size()), "JPG"));
        QCOMPARE(thumb.size(), QSize(320, 240));
        const QImage at = referenceFrame(path, 1.5, m_dir + "/ref15.png");
        const QImage other = referenceFrame(path, 0.3, m_dir + "/ref03.png");
        const double same = meanDifference(thumb, at);
        const double different = meanDifference(thumb, other);
        QVERIFY2(same < 12.0, qPrintable(QString("%1 %2").arg(same).arg(different)));
        QVERIFY2(different > same * 2, qPrintable(QString("%1 %2").arg(same).arg(different)));
        // A position past the end still gives a picture (the last one).
        QVERIFY(!probe.thumbnailJpeg(60000).empty());
    }

    void thumbnailHonoursRotation()
    {
        const QString plain = m_dir + "/upright.mp4";
        const QString path = m_dir + "/rotated.mp4";
        QVERIFY(TestMedia::makeClip(plain, 1.0, 320, 240, "25", 0));
        QVERIFY(TestMedia::ffmpeg({"-i", plain, "-c", "copy", "-metadata:s:v:0", "rotate=90", path}));
        MediaProbe probe;
        QVERIFY(probe.open(path.toStdString()));
        const std::vector<uint8_t> jpeg = probe.thumbnailJpeg(0);
        QImage thumb;
        QVERIFY(thumb.loadFromData(jpeg.data(), int(jpeg.size()), "JPG"));
        QCOMPARE(thumb.size(), QSize(240, 320));
        // Turned the same way as the ffmpeg tool shows it.
        const QImage ref = referenceFrame(path, 0.0, m_dir + "/rotref.png");
        QCOMPARE(ref.size(), QSize(240, 320));
        QVERIFY(meanDifference(thumb, ref) < 12.0);
        QVERIFY(meanDifference(thumb, ref.mirrored(true, true)) > 20.0);
    }

    void brokenFilesDoNotOpen_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QByteArray() << "missing.avi";
        QTest::newRow("empty") << QByteArray("") << "empty.avi";
        QTest::newRow("text") << QByteArray("hello, not a video\n") << "text.avi";
        QTest::newRow("garbage") << QByteArray(4096, '\x47') << "garbage.ts";
    }

    void brokenFilesDoNotOpen()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        const QString path = m_dir + "/" + name;
        if (name != "missing.avi") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        MediaProbe probe;
        QVERIFY(!probe.open(path.toStdString()));
        QVERIFY(!probe.isOpen());
        FileInfo info;
        QVERIFY(!probe.fillFileInfo(&info));
        QVERIFY(probe.thumbnailJpeg(0).empty());
    }

    void truncatedFileOpensOrFailsCleanly()
    {
        const QString path = m_dir + "/whole.mkv";
        QVERIFY(TestMedia::makeClip(path, 2.0));
        QFile src(path);
        QVERIFY(src.open(QIODevice::ReadOnly));
        const QByteArray data = src.readAll();
        const QString cut = m_dir + "/cut.mkv";
        QFile f(cut);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data.left(data.size() / 2));
        f.close();
        MediaProbe probe;
        if (probe.open(cut.toStdString())) {
            FileInfo info;
            QVERIFY(probe.fillFileInfo(&info));
            QCOMPARE(info.width, 320);
            probe.thumbnailJpeg(1900); // may be empty, must not crash
        }
    }

    // An input that never delivers (a pipe whose writer stays silent) holds
    // the probe only until its stop check says so, not until the deadline.
    void stopCheckEndsAStalledOpen()
    {
        const QByteArray fifo = (m_dir + "/silent.ts").toLocal8Bit();
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        const int writer = ::open(fifo.constData(), O_RDWR | O_CLOEXEC); // a writer that never writes
        QVERIFY(writer >= 0);
        std::atomic<bool> stop{false};
        MediaProbe probe;
        probe.setStopCheck([&stop] { return stop.load(); });
        QElapsedTimer clock;
        std::thread stopper([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            stop = true;
        });
        clock.start();
        const bool opened = probe.open(fifo.toStdString());
        const qint64 took = clock.elapsed();
        stopper.join();
        ::close(writer);
        QVERIFY(!opened);
        QVERIFY2(took < 3000, qPrintable(QString::number(took)));
    }
};

QTEST_GUILESS_MAIN(TestProbe)
#include "tst_probe.moc"
