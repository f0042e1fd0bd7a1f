#include "engine/transcode/transcoder.h"

#include "common/testmedia.h"
#include "typedjobs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

#include <cstring>
#include <thread>

namespace {

OutputSpec makeInfo(const char *video, const char *audio, int width, int height, int fpsMilli = 0,
                    int vbr = 800000, int rate = 44100, int channels = 2, int abr = 128000)
{
    OutputSpec spec = TypedJobs::spec(video, audio, width, height, vbr, rate, channels, abr);
    spec.video.frameRate = TypedJobs::milliRate(fpsMilli);
    return spec;
}

// Runs jobs one after the other and keeps what the last one reported.
struct Runner {
    bool blackPictureForSound = false;
    TypedJobs::Reports reports;
    StopToken stop;
    TranscodeResult last;
};

int run(Runner &t, const OutputSpec &info, const QStringList &inputs, const QString &out, int64_t msStart = 0,
        int64_t msEnd = 0)
{
    TranscodeJob job = TypedJobs::job(inputs, out, info, msStart, msEnd);
    job.blackPictureForSound = t.blackPictureForSound;
    t.stop.clear();
    t.last = Transcoder::run(job, &t.reports, &t.stop);
    return t.last.status;
}

// Nothing but the expected files in dir (no temporary leftovers).
QStringList leftovers(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class TestTranscode : public QObject {
    Q_OBJECT
    QString m_dir;
    QString m_clip; // 2 s 320x240 25 fps + stereo 44.1 kHz

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/src.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 2.0));
    }

    void formats_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("audio");
        QTest::addColumn<QString>("wantVideo");
        QTest::addColumn<QString>("wantAudio");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("tag");
        QTest::newRow("mp4 h264 aac") << "mp4"
                                      << "HAVC "
                                      << "libvo_aacenc "
                                      << "h264"
                                      << "aac" << 176 << 144 << 44100 << "";
        QTest::newRow("mpg mpeg2 ac3") << "mpg"
                                       << "mp2v"
                                       << "ac3"
                                       << "mpeg2video"
                                       << "ac3" << 320 << 240 << 48000 << "";
        QTest::newRow("avi xvid mp3") << "avi"
                                      << "libxvid"
                                      << "mp3"
                                      << "mpeg4"
                                      << "mp3" << 320 << 240 << 44100 << "XVID";
        QTest::newRow("avi divx") << "avi"
                                  << "divx"
                                  << "mp3"
                                  << "mpeg4"
                                  << "mp3" << 160 << 120 << 44100 << "DIVX";
        QTest::newRow("wmv") << "wmv"
                             << "wmv8"
                             << "WMA8"
                             << "wmv2"
                             << "wmav2" << 320 << 240 << 44100 << "";
        QTest::newRow("wmv vc1") << "wmv"
                                 << "vc1"
                                 << "wmav1"
                                 << "wmv2"
                                 << "wmav1" << 320 << 240 << 44100 << "";
        QTest::newRow("flv coerced") << "flv"
                                     << "libx264"
                                     << "libvo_aacenc"
                                     << "h264"
                                     << "aac" << 320 << 240 << 44100 << "";
        QTest::newRow("swf") << "swf"
                             << "flv1"
                             << "mp3"
                             << "flv1"
                             << "mp3" << 320 << 240 << 44100 << "";
        QTest::newRow("3gp amr") << "3gp"
                                 << "h263"
                                 << "amr_nb"
                                 << "h263"
                                 << "aac" << 176 << 144 << 44100 << "";
        QTest::newRow("mkv unknown names") << "mkv"
                                           << "nonsense"
                                           << "bogus"
                                           << "mpeg4"
                                           << "aac" << 320 << 240 << 44100 << "";
        QTest::newRow("webm vp8") << "webm"
                                  << "vp8"
                                  << "libvorbis"
                                  << "vp8"
                                  << "vorbis" << 160 << 120 << 44100 << "";
        QTest::newRow("dv coerced") << "dv"
                                    << "dvvideo"
                                    << "mp3"
                                    << "dvvideo"
                                    << "pcm_s16le" << 720 << 576 << 48000 << "";
        QTest::newRow("vob pcm") << "vob"
                                 << "mpeg2video"
                                 << "pcm_dvd"
                                 << "mpeg2video"
                                 << "pcm_dvd" << 352 << 288 << 48000 << "";
        QTest::newRow("mpg merge part") << "mpg"
                                        << "mpeg1video"
                                        << "mp2"
                                        << "mpeg1video"
                                        << "mp2" << 320 << 240 << 48000 << "";
        QTest::newRow("mp3 audio") << "mp3"
                                   << ""
                                   << "mp3 "
                                   << ""
                                   << "mp3" << 0 << 0 << 44100 << "";
        QTest::newRow("m4a audio") << "m4a"
                                   << ""
                                   << "libvo_aacenc"
                                   << ""
                                   << "aac" << 0 << 0 << 48000 << "";
        QTest::newRow("wav") << "wav"
                             << ""
                             << "pcm_s16le"
                             << ""
                             << "pcm_s16le" << 0 << 0 << 22050 << "";
    }

    void formats()
    {
        QFETCH(QString, ext);
        QFETCH(QString, video);
        QFETCH(QString, audio);
        QFETCH(QString, wantVideo);
        QFETCH(QString, wantAudio);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, rate);
        QFETCH(QString, tag);
        const QString out = m_dir + "/fmt_" + QString(QTest::currentDataTag()).replace(' ', '_') + "." + ext;
        Runner t;
        OutputSpec info = makeInfo(video.toLatin1().constData(), audio.toLatin1().constData(), width, height,
                                   ext == "mpg" ? 25000 : 0, 600000, rate);
        QCOMPARE(run(t, info, {m_clip}, out), int(TRANSCODE_FINISHED));
        QVERIFY2(t.last.reason.empty(), t.last.reason.c_str());
        const QJsonObject p = TestMedia::probe(out);
        const QJsonObject v = TestMedia::stream(p, "video");
        const QJsonObject a = TestMedia::stream(p, "audio");
        if (wantVideo.isEmpty()) {
            QVERIFY(v.isEmpty());
        } else {
            QCOMPARE(v.value("codec_name").toString(), wantVideo);
            QCOMPARE(v.value("width").toInt(), width);
            QCOMPARE(v.value("height").toInt(), height);
            if (!tag.isEmpty())
                QCOMPARE(v.value("codec_tag_string").toString(), tag);
            QVERIFY(t.last.frames >= 48);
        }
        QCOMPARE(a.value("codec_name").toString(), wantAudio);
        QCOMPARE(a.value("sample_rate").toString().toInt(), rate);
        QCOMPARE(a.value("channels").toInt(), 2);
        if (ext != "swf") // the container records no duration
            QVERIFY2(qAbs(TestMedia::durationSeconds(p) - 2.0) < 0.15,
                     qPrintable(QString::number(TestMedia::durationSeconds(p))));
        QVERIFY(TestMedia::decodesCleanly(out));
        QCOMPARE(t.reports.fraction(), 1.0);
    }

    void sectionIsCutAccurately()
    {
        const QString src = m_dir + "/long.mkv";
        QVERIFY(TestMedia::makeClip(src, 6.0, 160, 120));
        const QString out = m_dir + "/section.mp4";
        Runner t;
        QCOMPARE(run(t, makeInfo("libx264", "aac", 0, 0), {src}, out, 2000, 5000), int(TRANSCODE_FINISHED));
        const QJsonObject p = TestMedia::probe(out);
        const QJsonObject v = TestMedia::stream(p, "video");
        QCOMPARE(v.value("nb_frames").toString().toInt(), 75); // 3 s at 25 fps
        QVERIFY(qAbs(TestMedia::stream(p, "audio").value("duration").toString().toDouble() - 3.0) < 0.05);
        // Source size and rate are kept for 0 x 0 and frame rate 0.
        QCOMPARE(v.value("width").toInt(), 160);
        QCOMPARE(v.value("avg_frame_rate").toString(), QString("25/1"));
    }

    void inputsAreJoined()
    {
        const QString a = m_dir + "/join_a.mp4", b = m_dir + "/join_b.avi";
        QVERIFY(TestMedia::makeClip(a, 1.0, 320, 240));
        QVERIFY(TestMedia::makeClip(b, 1.0, 640, 480, "30", 48000, 1));
        const QString out = m_dir + "/joined.mp4";
        Runner t;
        QCOMPARE(run(t, makeInfo("libx264", "aac", 320, 240, 25000), {a, b}, out), int(TRANSCODE_FINISHED));
        const QJsonObject p = TestMedia::probe(out);
        QVERIFY(qAbs(TestMedia::durationSeconds(p) - 2.0) < 0.1);
        // Each part lasts as long as its container says (sound may run a little longer).
        QVERIFY(qAbs(TestMedia::stream(p, "video").value("nb_frames").toString().toInt() - 50) <= 1);
        QVERIFY(TestMedia::decodesCleanly(out));
    }

    // Program streams joined byte for byte (as a merge does) restart their
    // clocks at each joint; the whole file is converted, in order.
    void concatenatedProgramStreamsConvertWhole()
    {
        const QString part = m_dir + "/part.mpg";
        Runner t;
        QCOMPARE(
            run(t, makeInfo("mpeg1video", "mp2", 320, 240, 25000, 4000000, 48000, 2, 96000), {m_clip}, part),
            int(TRANSCODE_FINISHED));
        QFile in(part);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        const QString joined = m_dir + "/test.mpg";
        QFile out(joined);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes + bytes);
        out.close();
        const QString result = m_dir + "/merged.mp4";
        QCOMPARE(run(t, makeInfo("libx264", "aac", 320, 240, 25000), {joined}, result),
                 int(TRANSCODE_FINISHED));
        const QJsonObject p = TestMedia::probe(result);
        QVERIFY2(qAbs(TestMedia::durationSeconds(p) - 4.0) < 0.2,
                 qPrintable(QString::number(TestMedia::durationSeconds(p))));
        QVERIFY(qAbs(TestMedia::stream(p, "video").value("nb_frames").toString().toInt() - 100) <= 2);
        QVERIFY(TestMedia::decodesCleanly(result));
    }

    // A sound-only input can be given black pictures (as a merge's parts
    // are).  Their small frames make the program stream run its pictures a
    // second or more ahead of its sound; that is no clock restart, and the
    // part joined after it starts where the black ends.
    void blackPicturesForSoundJoinInPlace()
    {
        const QString tone = m_dir + "/tone.m4a", part = m_dir + "/tone.mpg", clip = m_dir + "/clip.mpg";
        QVERIFY(TestMedia::makeClip(tone, 8.0, 0, 0));
        const OutputSpec mpeg = makeInfo("mpeg1video", "mp2", 320, 240, 25000, 4000000, 48000, 2, 96000);
        Runner t;
        t.blackPictureForSound = true;
        QCOMPARE(run(t, mpeg, {tone}, part), int(TRANSCODE_FINISHED));
        QCOMPARE(run(t, mpeg, {m_clip}, clip), int(TRANSCODE_FINISHED));
        QCOMPARE(TestMedia::decodedFrames(part), 200);

        QFile a(part), b(clip), joined(m_dir + "/tone_clip.mpg");
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) &&
                joined.open(QIODevice::WriteOnly));
        joined.write(a.readAll() + b.readAll());
        joined.close();
        const QString result = m_dir + "/tone_clip.mp4";
        QCOMPARE(run(t, makeInfo("libx264", "aac", 320, 240, 25000), {joined.fileName()}, result),
                 int(TRANSCODE_FINISHED));
        const QJsonObject p = TestMedia::probe(result);
        QVERIFY2(qAbs(TestMedia::durationSeconds(p) - 10.0) < 0.15,
                 qPrintable(QString::number(TestMedia::durationSeconds(p))));
        QVERIFY(qAbs(TestMedia::decodedFrames(result) - 250) <= 2);
        const QList<QPair<double, double>> black = TestMedia::blackStretches(result);
        QCOMPARE(black.size(), 1);
        QVERIFY2(black[0].first < 0.05 && qAbs(black[0].second - 8.0) < 0.1,
                 qPrintable(QString::number(black[0].second)));
        QVERIFY2(TestMedia::soundOnsets(result).isEmpty(), "a hole in the sound");

        // Without the option a sound-only input gives sound only.
        Runner plain;
        QCOMPARE(run(plain, mpeg, {tone}, m_dir + "/tone_only.mpg"), int(TRANSCODE_FINISHED));
        QVERIFY(TestMedia::stream(TestMedia::probe(m_dir + "/tone_only.mpg"), "video").isEmpty());
    }

    // Sound that starts after the pictures keeps its place (the file's
    // sound begins 0.5 s in, with a beep at 1 s), and a hole in it stays a
    // hole: the beep after it is not pulled forward.
    void soundKeepsItsPlaceInTime()
    {
        const QString late = m_dir + "/late.mp4";
        QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=3",
                                   "-itsoffset", "0.5", "-f", "lavfi", "-i",
                                   "aevalsrc=if(between(t\\,0.5\\,1)\\,sin(2*PI*440*t)\\,0):s=44100:d=2.5",
                                   "-c:v", "libx264", "-c:a", "aac", late}));
        const QList<double> source = TestMedia::soundOnsets(late);
        QVERIFY(!source.isEmpty() && qAbs(source[0] - 1.0) < 0.02);
        // The same sound with 1 s cut out of its middle, in Matroska (its
        // timestamps keep the hole).
        const QString holed = m_dir + "/holed.mkv";
        QVERIFY(
            TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25:duration=4", "-f", "lavfi",
                               "-i", "aevalsrc=if(between(t\\,3\\,3.5)\\,sin(2*PI*440*t)\\,0):s=44100:d=4",
                               "-filter_complex", "[1:a]aselect='not(between(t,1,2))'[a]", "-map", "0:v",
                               "-map", "[a]", "-c:v", "libx264", "-c:a", "libvorbis", holed}));
        for (const auto &[input, beep] : {std::pair{late, 1.0}, {holed, 3.0}}) {
            const QString out = m_dir + "/in_time_" + QFileInfo(input).completeBaseName() + ".mp4";
            Runner t;
            QCOMPARE(run(t, makeInfo("libx264", "aac", 160, 120, 25000), {input}, out),
                     int(TRANSCODE_FINISHED));
            const QList<double> onsets = TestMedia::soundOnsets(out);
            QVERIFY2(!onsets.isEmpty() && qAbs(onsets[0] - beep) < 0.03,
                     qPrintable(QStringLiteral("%1: beep at %2 s, expected %3 s")
                                    .arg(input)
                                    .arg(onsets.value(0, -1))
                                    .arg(beep)));
        }
    }

    // A constant quality follows the encoder's own scale: CRF where the
    // encoder has it, a fixed quantiser elsewhere; lower is better and
    // bigger.  A size target in two passes is refused with the reason.
    void constantQualityFollowsTheScale_data()
    {
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<double>("good");
        QTest::addColumn<double>("poor");
        QTest::newRow("x264 crf") << "libx264"
                                  << "mp4" << 18.0 << 40.0;
        QTest::newRow("mpeg4 qscale") << "mpeg4"
                                      << "avi" << 2.0 << 20.0;
    }
    void constantQualityFollowsTheScale()
    {
        QFETCH(QString, video);
        QFETCH(QString, ext);
        QFETCH(double, good);
        QFETCH(double, poor);
        Runner t;
        qint64 sizes[2] = {};
        const double qualities[2] = {good, poor};
        for (int k = 0; k < 2; ++k) {
            OutputSpec spec = makeInfo(video.toLatin1().constData(), "", 320, 240);
            spec.video.rate = RateControl::ConstantQuality{qualities[k]};
            const QString out = m_dir + QStringLiteral("/quality_%1_%2.%3").arg(video).arg(k).arg(ext);
            QCOMPARE(run(t, spec, {m_clip}, out), int(TRANSCODE_FINISHED));
            QCOMPARE(TestMedia::decodedFrames(out), 50);
            sizes[k] = QFileInfo(out).size();
        }
        QVERIFY2(sizes[0] > 2 * sizes[1], qPrintable(QStringLiteral("%1 vs %2").arg(sizes[0]).arg(sizes[1])));

        OutputSpec target = makeInfo(video.toLatin1().constData(), "", 320, 240);
        target.video.rate = RateControl::TwoPassTarget{1000000};
        const QString refused = m_dir + "/two_pass." + ext;
        QCOMPARE(run(t, target, {m_clip}, refused), int(TRANSCODE_FAILED));
        QVERIFY2(QString::fromStdString(t.last.reason).contains("not supported yet"), t.last.reason.c_str());
        QVERIFY(!QFile::exists(refused));
    }

    void oddSizesAndRates()
    {
        const QString src = m_dir + "/odd.mp4";
        QVERIFY(TestMedia::makeClip(src, 1.0, 321, 241, "30000/1001", 0));
        const QString out = m_dir + "/odd_out.mp4";
        Runner t;
        QCOMPARE(run(t, makeInfo("libx264", "aac", 0, 0, 29970), {src}, out), int(TRANSCODE_FINISHED));
        const QJsonObject v = TestMedia::stream(TestMedia::probe(out), "video");
        QCOMPARE(v.value("width").toInt(), 320);
        QCOMPARE(v.value("height").toInt(), 240);
        QCOMPARE(v.value("avg_frame_rate").toString(), QString("30000/1001"));
        QCOMPARE(v.value("sample_aspect_ratio").toString(), QString("1:1"));
    }

    void stopReturnsQuicklyAndLeavesNothing()
    {
        const QString src = m_dir + "/stop_src.mp4";
        QVERIFY(TestMedia::makeClip(src, 8.0, 640, 480, "25", 44100, 2, {"-c:v", "mpeg4", "-q:v", "5"}));
        const QString sub = m_dir + "/stop";
        QDir().mkpath(sub);
        const QString out = sub + "/stopped.mp4";
        Runner t;
        const TranscodeJob job = TypedJobs::job({src}, out, makeInfo("libx264", "aac", 640, 480));
        std::thread worker([&] { t.last = Transcoder::run(job, &t.reports, &t.stop); });
        QElapsedTimer wait;
        wait.start();
        while (t.reports.frames() < 10 && wait.elapsed() < 20000)
            QThread::msleep(10);
        const double prg = t.reports.fraction();
        QVERIFY(prg > 0.0 && prg < 1.0);
        QElapsedTimer timer;
        timer.start();
        t.stop.request();
        worker.join();
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(int(t.last.status), int(TRANSCODE_STOPPED));
        QVERIFY(t.last.outputs.empty());
        QVERIFY(leftovers(sub).isEmpty());
        // The same stop token takes the next job normally once cleared.
        QCOMPARE(run(t, makeInfo("libx264", "aac", 160, 120), {m_clip}, sub + "/next.mp4"),
                 int(TRANSCODE_FINISHED));
    }

    void brokenInputsFail_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("text") << "text";
        QTest::newRow("truncated") << "truncated";
    }

    void brokenInputsFail()
    {
        QFETCH(QString, kind);
        const QString sub = m_dir + "/broken_" + kind;
        QDir().mkpath(sub);
        QString in = sub + "/in.avi";
        if (kind == "empty") {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (kind == "text") {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("this is not a video at all\n");
        } else if (kind == "truncated") {
            in = sub + "/in.mp4";
            QFile src(m_clip);
            QVERIFY(src.open(QIODevice::ReadOnly));
            QByteArray data = src.readAll();
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(data.left(data.size() / 3));
        }
        const QString out = sub + "/out.mp4";
        Runner t;
        QCOMPARE(run(t, makeInfo("libx264", "aac", 160, 120), {in}, out), int(TRANSCODE_FAILED));
        QVERIFY(!t.last.reason.empty());
        QVERIFY(!QFile::exists(out));
        QStringList rest = leftovers(sub);
        rest.removeAll(QFileInfo(in).fileName());
        QVERIFY(rest.isEmpty());
    }

    // The output gets the mode of any file the user creates (the umask
    // applies), not that of a private temporary file.
    void outputModeFollowsTheUmask()
    {
        const QString sub = m_dir + "/mode";
        QDir().mkpath(sub);
        Runner t;
        for (mode_t mask : {mode_t(022), mode_t(027)}) {
            const mode_t old = umask(mask);
            const QString out = sub + QString("/mode%1.mp4").arg(mask, 0, 8);
            const int status = run(t, makeInfo("libx264", "aac", 160, 120), {m_clip}, out);
            umask(old);
            QCOMPARE(status, int(TRANSCODE_FINISHED));
            struct stat st {};
            QCOMPARE(stat(out.toUtf8().constData(), &st), 0);
            QCOMPARE(int(st.st_mode & 0777), int(0666 & ~mask));
        }
        QCOMPARE(leftovers(sub).size(), 2);
    }

    void unwritableTargetsFail()
    {
        Runner t;
        QCOMPARE(run(t, makeInfo("libx264", "aac", 160, 120), {m_clip}, "/nonexistent-folder/x.mp4"),
                 int(TRANSCODE_FAILED));
        QVERIFY(!t.last.reason.empty());
        // Formats FFmpeg cannot write fail clearly instead of writing junk.
        for (const char *ext : {"rm", "amr"}) {
            const QString out = m_dir + "/cannot." + ext;
            QCOMPARE(run(t, makeInfo("mjpeg", "aac", 256, 192), {m_clip}, out), int(TRANSCODE_FAILED));
            QVERIFY(QString::fromStdString(t.last.reason).contains(ext));
            QVERIFY(!QFile::exists(out));
        }
    }

    void dpgHasHeaderSoundAndPicture()
    {
        const QString out = m_dir + "/hand.dpg";
        Runner t;
        QCOMPARE(run(t, makeInfo("mjpeg", "adpcm_ima_smjpeg", 256, 192, 20000, 256000, 32000), {m_clip}, out),
                 int(TRANSCODE_FINISHED));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        auto le32 = [&](int at) {
            const auto *p = reinterpret_cast<const uchar *>(data.constData() + at);
            return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
        };
        QVERIFY(data.startsWith("DPG0"));
        QCOMPARE(le32(4), 40u); // 2 s at 20 fps
        QCOMPARE(le32(8) >> 8, 20u);
        QCOMPARE(le32(12), 32000u);
        QCOMPARE(le32(20), 36u);
        QCOMPARE(le32(28), 36u + le32(24));
        QCOMPARE(qint64(le32(28)) + le32(32), qint64(data.size()));
        const QString audio = m_dir + "/hand.mp2", video = m_dir + "/hand.m1v";
        QFile a(audio), v(video);
        QVERIFY(a.open(QIODevice::WriteOnly) && v.open(QIODevice::WriteOnly));
        a.write(data.mid(int(le32(20)), int(le32(24))));
        v.write(data.mid(int(le32(28)), int(le32(32))));
        a.close();
        v.close();
        const QJsonObject vs = TestMedia::stream(TestMedia::probe(video), "video");
        QCOMPARE(vs.value("codec_name").toString(), QString("mpeg1video"));
        QCOMPARE(vs.value("width").toInt(), 256);
        QCOMPARE(TestMedia::stream(TestMedia::probe(audio), "audio").value("codec_name").toString(),
                 QString("mp2"));
        QVERIFY(TestMedia::decodesCleanly(video));
        QVERIFY(TestMedia::decodesCleanly(audio));
    }

    void dvdOutputIsAuthorable()
    {
        const QString out = m_dir + "/dvd.mpg";
        Runner t;
        OutputSpec info = makeInfo("mpeg2video", "ac3", 720, 576, 25000, 6000000, 48000, 2, 448000);
        info.dvd = true;
        QCOMPARE(run(t, info, {m_clip}, out), int(TRANSCODE_FINISHED));
        const QJsonObject p = TestMedia::probe(out);
        QCOMPARE(p.value("format").toObject().value("format_name").toString(), QString("mpeg"));
        const QJsonObject v = TestMedia::stream(p, "video");
        QCOMPARE(v.value("codec_name").toString(), QString("mpeg2video"));
        QCOMPARE(v.value("width").toInt(), 720);
        QCOMPARE(v.value("height").toInt(), 576);
        QCOMPARE(TestMedia::stream(p, "audio").value("sample_rate").toString(), QString("48000"));
        QProcess author;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VIDEO_FORMAT", "PAL");
        author.setProcessEnvironment(env);
        author.setProcessChannelMode(QProcess::MergedChannels);
        const QString dvdDir = m_dir + "/dvdtree";
        author.start("dvdauthor", {"-o", dvdDir, "-t", out});
        QVERIFY(author.waitForFinished(60000));
        QVERIFY2(author.exitCode() == 0, author.readAll().constData());
        author.start("dvdauthor", {"-o", dvdDir, "-T"});
        QVERIFY(author.waitForFinished(60000));
        QVERIFY2(author.exitCode() == 0, author.readAll().constData());
        QVERIFY(QFile::exists(dvdDir + "/VIDEO_TS/VTS_01_1.VOB"));
        QVERIFY(QFile::exists(dvdDir + "/VIDEO_TS/VIDEO_TS.IFO"));
    }
};

QTEST_GUILESS_MAIN(TestTranscode)
#include "tst_transcode.moc"
