// What counts as a media file, how hard the engine looks at one, and the
// edits it refuses instead of dropping them: a crop outside the picture, a
// frame rate that leaves no picture, a subtitle file that is not one.

#include "common/hardmedia.h"
#include "common/testmedia.h"
#include "engine/av/demuxer.h"
#include "engine/av/filtersettings.h"
#include "engine/av/subtitlefile.h"
#include "engine/probe/mediaprobe.h"
#include "engine/transcode/tempoutput.h"
#include "engine/transcode/transcoder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A small H.264/AAC job of one input; frameRate: 0/1 keeps the source's.
TranscodeJob mp4Job(const QString &input, const QString &output, Rational frameRate = {})
{
    TranscodeJob job;
    TranscodeInput in;
    in.path = input.toStdString();
    job.inputs.push_back(in);
    OutputSpec &out = job.output;
    out.path = output.toStdString();
    out.video.codec = "h264";
    out.video.width = 160;
    out.video.height = 120;
    out.video.rate = RateControl::BitRate{300000};
    out.video.frameRate = frameRate;
    out.audio.codec = "aac";
    out.audio.sampleRate = 44100;
    out.audio.channels = 2;
    out.audio.bitRate = 64000;
    return job;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The last fraction a run reported.
class Fraction : public TranscodeObserver {
public:
    void onProgress(double fraction, int64_t) override { m_last.store(fraction); }
    double last() const { return m_last.load(); }

private:
    std::atomic<double> m_last{0.0};
};

} // namespace

class TestMediaInputs : public QObject {
    Q_OBJECT

    QString m_dir;
    QString m_clip;

    QString caseDir(const QString &name)
    {
        const QString dir = m_dir + "/" + name;
        QDir().mkpath(dir);
        return dir;
    }

    TranscodeStatus run(const TranscodeJob &job, std::string *error)
    {
        const TranscodeResult result = Transcoder::run(job);
        *error = result.reason;
        return result.status;
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 2.0, 320, 240));
    }

    void textArtAndPicturesAreNotMedia()
    {
        QVERIFY(Demuxer::isTextOrPictureFormat("tty"));
        QVERIFY(Demuxer::isTextOrPictureFormat("image2"));
        QVERIFY(Demuxer::isTextOrPictureFormat("png_pipe"));
        QVERIFY(Demuxer::isTextOrPictureFormat("jpeg_pipe"));
        QVERIFY(!Demuxer::isTextOrPictureFormat("matroska,webm"));
        QVERIFY(!Demuxer::isTextOrPictureFormat("gif"));

        const QString text = m_dir + "/notes.txt";
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Shopping list\nmilk\nbread\n");
        f.close();
        const QString png = m_dir + "/still.png", jpeg = m_dir + "/still.jpg", named = m_dir + "/still.mp4";
        QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=64x48", "-frames:v", "1", png}));
        QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=64x48", "-frames:v", "1", jpeg}));
        QVERIFY(QFile::copy(jpeg, named)); // a picture does not become a video by its name
        for (const QString &path : {text, png, jpeg, named}) {
            Demuxer d;
            std::string error;
            QVERIFY2(!d.open(path.toStdString(), true, &error), qPrintable(path));
            QVERIFY2(!error.empty(), qPrintable(path));
            MediaProbe probe;
            QVERIFY2(!probe.open(path.toStdString()), qPrintable(path));
        }
    }

    void anyNameThatDecodes()
    {
        // Media under a name no list knows, or none at all.
        for (const char *name : {"/clip.bin", "/clip"}) {
            const QString path = m_dir + name;
            QFile::remove(path);
            QVERIFY(QFile::copy(m_clip, path));
            MediaProbe probe;
            QVERIFY2(probe.open(path.toStdString()), name);
            FileInfo info;
            QVERIFY(probe.fillFileInfo(&info));
            QCOMPARE(info.width, 320);
        }
    }

    void rewindFindsTheFirstKeyFrameOfATransportStream()
    {
        // One key frame only: after a seek by decoding timestamps the reader
        // would start past it and no picture would ever decode.
        const QString ts = m_dir + "/onekey.ts";
        QVERIFY(HardMedia::tsWithoutAuds(ts, 2.0));
        Demuxer d;
        std::string error;
        QVERIFY2(d.open(ts.toStdString(), true, &error), error.c_str());
        av::PacketPtr packet = av::makePacket();
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(d.read(packet.get()), 0);
            av_packet_unref(packet.get());
        }
        QVERIFY(d.seekMs(0));
        QCOMPARE(d.read(packet.get()), 0);
        QVERIFY(packet->flags & AV_PKT_FLAG_KEY);
        MediaProbe probe;
        QVERIFY(probe.open(ts.toStdString()));
        QVERIFY(!probe.thumbnailJpeg(0).empty());
    }

    void lengthOfAPipedFileIsFoundByReading()
    {
        const QString mkv = m_dir + "/piped.mkv";
        QVERIFY(HardMedia::pipedMatroska(mkv, 2.0, false));
        Demuxer d;
        std::string error;
        QVERIFY(d.open(mkv.toStdString(), true, &error));
        QCOMPARE(d.durationMs(), 0.0); // the file does not say
        MediaProbe probe;
        QVERIFY(probe.open(mkv.toStdString()));
        FileInfo info;
        QVERIFY(probe.fillFileInfo(&info));
        QVERIFY2(qAbs(info.durationMs - 2000.0) < 100.0, qPrintable(QString::number(info.durationMs)));
        QCOMPARE(info.sampleRate, 48000);
    }

    void openEndedSectionConvertsToTheEnd()
    {
        const QString mkv = m_dir + "/piped2.mkv";
        QVERIFY(HardMedia::pipedMatroska(mkv, 2.0, false));
        const QString dir = caseDir("openended");
        TranscodeJob job = mp4Job(mkv, dir + "/out.mp4");
        job.inputs[0].msEnd = -1; // until the input ends
        Fraction progress;
        const TranscodeResult result = Transcoder::run(job, &progress);
        QCOMPARE(result.status, TRANSCODE_FINISHED);
        QCOMPARE(result.outputs, std::vector<std::string>{job.output.path});
        QVERIFY(qAbs(TestMedia::durationSeconds(TestMedia::probe(dir + "/out.mp4")) - 2.0) < 0.3);
        QVERIFY2(qAbs(result.inputLengthFoundMs - 2000.0) < 300.0,
                 qPrintable(QString::number(result.inputLengthFoundMs)));
        QCOMPARE(progress.last(), 1.0);
    }

    void cropOutsideThePictureFails_data()
    {
        QTest::addColumn<QRect>("crop");
        QTest::newRow("too wide") << QRect(0, 0, 2000, 100);
        QTest::newRow("beyond the bottom") << QRect(10, 200, 100, 100);
        QTest::newRow("negative") << QRect(-5, 0, 100, 100);
    }

    void cropOutsideThePictureFails()
    {
        QFETCH(QRect, crop);
        const QString dir = caseDir(QStringLiteral("crop%1").arg(QTest::currentDataTag()));
        TranscodeJob job = mp4Job(m_clip, dir + "/out.mp4");
        FilterSettings &filters = job.inputs[0].filters;
        filters.crop = true;
        filters.cropLeft = crop.left();
        filters.cropTop = crop.top();
        filters.cropWidth = crop.width();
        filters.cropHeight = crop.height();
        std::string error;
        QCOMPARE(run(job, &error), TRANSCODE_FAILED);
        QVERIFY2(QString::fromStdString(error).contains("does not fit in the 320x240 picture"),
                 error.c_str());
        QVERIFY(filesIn(dir).isEmpty());
        // The whole picture itself is fine.
        filters.cropLeft = filters.cropTop = 0;
        filters.cropWidth = 320;
        filters.cropHeight = 240;
        QCOMPARE(run(job, &error), TRANSCODE_FINISHED);
    }

    void frameRateWithoutAPictureFails()
    {
        const QString dir = caseDir("fps");
        const TranscodeJob job = mp4Job(m_clip, dir + "/out.mp4", Rational{1, 100}); // 0.01 frames per second
        std::string error;
        const TranscodeStatus status = run(job, &error);
        if (status == TRANSCODE_FINISHED) {
            // Acceptable only when a picture really was written.
            QVERIFY(!TestMedia::stream(TestMedia::probe(dir + "/out.mp4"), "video").isEmpty());
            return;
        }
        QCOMPARE(status, TRANSCODE_FAILED);
        QVERIFY2(QString::fromStdString(error).contains("no picture"), error.c_str());
        QVERIFY(filesIn(dir).isEmpty());
    }

    void subtitleFileThatIsNotOneIsRefused()
    {
        const QString junk = m_dir + "/junk.srt";
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a subtitle file\n");
        f.close();
        const QString srtNamedTxt = m_dir + "/subs.txt";
        QFile g(srtNamedTxt);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write("1\n00:00:00,000 --> 00:00:01,500\nHello\n");
        g.close();

        QVERIFY(!readsAsSubtitles(junk.toStdString()));
        // Read, not judged by the name.
        QVERIFY(readsAsSubtitles(srtNamedTxt.toStdString()));

        // A job handed such a file anyway fails with the reason.
        const QString dir = caseDir("junksubs");
        TranscodeJob job = mp4Job(m_clip, dir + "/out.mp4");
        job.inputs[0].filters.subtitle = true;
        job.inputs[0].filters.subtitleFile = junk.toStdString();
        std::string error;
        QCOMPARE(run(job, &error), TRANSCODE_FAILED);
        QVERIFY2(QString::fromStdString(error).contains("does not read as subtitles"), error.c_str());
        QVERIFY(filesIn(dir).isEmpty());
    }

    void partFileIsLockedWhileWrittenAndReadableAfter()
    {
        const QString dir = caseDir("part");
        const QString final = dir + "/out.mp4";
        const mode_t old = ::umask(022);
        {
            TempOutput temp;
            std::string error;
            QVERIFY(temp.create(final.toStdString(), &error));
            const QString part = QString::fromStdString(temp.path());
            QVERIFY(QFileInfo(part).fileName().startsWith(".out.mp4."));
            QVERIFY(part.endsWith(".part"));
            // Another opener cannot take the lock: the writer is alive.
            const int fd = ::open(temp.path().c_str(), O_RDONLY);
            QVERIFY(fd >= 0);
            QVERIFY(::flock(fd, LOCK_EX | LOCK_NB) != 0);
            QVERIFY(temp.commit(&error));
            ::close(fd);
        }
        QVERIFY(QFile::exists(final));
        // After the rename nobody holds it; the mode is an ordinary file's.
        const int fd = ::open(final.toLocal8Bit().constData(), O_RDONLY);
        QVERIFY(::flock(fd, LOCK_EX | LOCK_NB) == 0);
        ::close(fd);
        struct stat st {};
        QCOMPARE(::stat(final.toLocal8Bit().constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0644);
        ::umask(old);
    }
};

QTEST_GUILESS_MAIN(TestMediaInputs)
#include "tst_mediainputs.moc"
