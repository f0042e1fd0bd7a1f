// Several inputs joined in one encode: each cut to its own section and
// edited with its own filters, placed in the output's frame, its sound
// resampled, the joins seamless, and each part as good as converting that
// input alone.

#include "engine/transcode/transcoder.h"

#include "common/pictureparts.h"
#include "common/testmedia.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

using PictureParts::distinctPictures;
using PictureParts::partPsnr;
using PictureParts::runTool;

struct Clip {
    QString name;
    int width;
    int height;
    int rate;
};

// 1080p60 with sound, 720p30, 480p25: every part differs in size, shape
// and rate.  The tone of each starts 1 s in, so that where each part's
// sound lands shows in the joined file.
const Clip kClips[] = {
    {"a1080p60.mp4", 1920, 1080, 60}, {"b720p30.mp4", 1280, 720, 30}, {"c480p25.mp4", 640, 480, 25}};
constexpr double kClipSeconds = 5.0;

TranscodeInput inputOf(const QString &path, int64_t msStart = 0, int64_t msEnd = 0)
{
    TranscodeInput in;
    in.path = path.toStdString();
    in.msStart = msStart;
    in.msEnd = msEnd;
    return in;
}

// 1280x720 at 60 fps, H.264 at a constant quality, AAC stereo 48 kHz.
OutputSpec outputSpec(const QString &path)
{
    OutputSpec out;
    out.path = path.toStdString();
    out.video.codec = "libx264";
    out.video.width = 1280;
    out.video.height = 720;
    out.video.frameRate = Rational{60, 1};
    out.video.rate = RateControl::ConstantQuality{16};
    out.audio.codec = "aac";
    out.audio.sampleRate = 48000;
    out.audio.channels = 2;
    out.audio.bitRate = 128000;
    return out;
}

// The decoded pictures of a file, one MD5 each, with their times.
QList<QPair<double, QByteArray>> pictureHashes(const QString &path)
{
    const QByteArray out = runTool("ffmpeg", {"-v", "error", "-nostdin", "-i", path, "-map", "0:v",
                                              "-fps_mode", "passthrough", "-f", "framemd5", "-"});
    QList<QPair<double, QByteArray>> hashes;
    double timeBase = 0.0;
    for (const QByteArray &line : out.split('\n')) {
        if (line.startsWith("#tb 0:")) {
            const QList<QByteArray> tb = line.mid(6).trimmed().split('/');
            timeBase = tb.value(0).toDouble() / std::max(1.0, tb.value(1).toDouble());
        }
        if (line.startsWith('#') || line.trimmed().isEmpty())
            continue;
        const QList<QByteArray> f = line.split(',');
        if (f.size() >= 6)
            hashes.append({f[2].trimmed().toDouble() * timeBase, f[5].trimmed()});
    }
    return hashes;
}

double streamSeconds(const QString &path, const QString &type)
{
    return TestMedia::stream(TestMedia::probe(path), type).value("duration").toString().toDouble();
}

} // namespace

class TestJoinedInputs : public QObject {
    Q_OBJECT

    QString m_dir;
    QStringList m_clips;

    TranscodeResult join(const std::vector<TranscodeInput> &inputs, const QString &output,
                         bool blackPictureForSound = false)
    {
        TranscodeJob job;
        job.inputs = inputs;
        job.output = outputSpec(output);
        job.blackPictureForSound = blackPictureForSound;
        return Transcoder::run(job);
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        for (const Clip &c : kClips) {
            const QString path = m_dir + "/" + c.name;
            QVERIFY(
                TestMedia::makeClip(path, kClipSeconds, c.width, c.height, QString::number(c.rate), 44100, 2,
                                    {"-af", "adelay=1000:all=1", "-c:v", "libx264", "-preset", "ultrafast"}));
            m_clips << path;
        }
    }

    // The three clips whole: every part in place with its sound, the 60 fps
    // part keeps all its pictures, and each part matches the clip converted
    // alone with the same output settings.
    void wholeClipsJoinInOneEncode()
    {
        const QString joined = m_dir + "/joined.mp4";
        std::vector<TranscodeInput> inputs;
        for (const QString &clip : m_clips)
            inputs.push_back(inputOf(clip));
        const TranscodeResult result = join(inputs, joined);
        QVERIFY2(result.ok(), result.reason.c_str());
        QCOMPARE(result.outputs, std::vector<std::string>{joined.toStdString()});

        const QJsonObject p = TestMedia::probe(joined);
        const QJsonObject video = TestMedia::stream(p, "video");
        QCOMPARE(video.value("width").toInt(), 1280);
        QCOMPARE(video.value("height").toInt(), 720);
        QCOMPARE(video.value("avg_frame_rate").toString(), QString("60/1"));
        const QList<QPair<double, QByteArray>> hashes = pictureHashes(joined);
        const int expected = int(3 * kClipSeconds * 60);
        QVERIFY2(qAbs(hashes.size() - expected) <= 1, qPrintable(QString::number(hashes.size())));
        const double sound = streamSeconds(joined, "audio");
        QVERIFY2(qAbs(sound - 3 * kClipSeconds) < 0.05, qPrintable(QString::number(sound)));
        QCOMPARE(TestMedia::stream(p, "audio").value("sample_rate").toString(), QString("48000"));

        // Each part's tone starts 1 s into it.
        const QList<double> onsets = TestMedia::soundOnsets(joined);
        QCOMPARE(onsets.size(), 3);
        for (int k = 0; k < 3; ++k)
            QVERIFY2(qAbs(onsets[k] - (k * kClipSeconds + 1.0)) < 0.05,
                     qPrintable(QString::number(onsets[k])));

        // 60 distinct pictures a second where the source had them; the 30 fps
        // part shows that repeated pictures would be seen.
        const int sixty = distinctPictures(joined, 0.0, kClipSeconds);
        QVERIFY2(sixty >= 299, qPrintable(QString::number(sixty)));
        const int thirty = distinctPictures(joined, kClipSeconds, kClipSeconds);
        QVERIFY2(thirty >= 145 && thirty <= 160, qPrintable(QString::number(thirty)));
        const int twentyFive = distinctPictures(joined, 2 * kClipSeconds, kClipSeconds);
        QVERIFY2(twentyFive >= 120 && twentyFive <= 135, qPrintable(QString::number(twentyFive)));

        for (int k = 0; k < 3; ++k) {
            const QString alone = m_dir + QStringLiteral("/alone%1.mp4").arg(k);
            const TranscodeResult single = join({inputOf(m_clips[k])}, alone);
            QVERIFY2(single.ok(), single.reason.c_str());
            const double psnr = partPsnr(joined, k * kClipSeconds, kClipSeconds, alone);
            QVERIFY2(psnr >= 40.0, qPrintable(QStringLiteral("part %1: %2 dB").arg(k).arg(psnr)));
        }
    }

    // Each input cut to its own section, one of them with its own edit: the
    // parts land with their lengths, the edit on its part alone.
    void sectionsAndEditsPerInput()
    {
        const QString joined = m_dir + "/sections.mp4";
        std::vector<TranscodeInput> inputs;
        for (const QString &clip : m_clips)
            inputs.push_back(inputOf(clip, 1000, 3000));
        inputs[1].filters.negate = true;
        const TranscodeResult result = join(inputs, joined);
        QVERIFY2(result.ok(), result.reason.c_str());

        const QList<QPair<double, QByteArray>> hashes = pictureHashes(joined);
        QVERIFY2(qAbs(hashes.size() - 3 * 2 * 60) <= 1, qPrintable(QString::number(hashes.size())));
        const double sound = streamSeconds(joined, "audio");
        QVERIFY2(qAbs(sound - 6.0) < 0.05, qPrintable(QString::number(sound)));

        // The second part is the second clip's section, negated.
        const QString alone = m_dir + "/alone_section.mp4";
        TranscodeInput same = inputOf(m_clips[1], 1000, 3000);
        same.filters.negate = true;
        QVERIFY(join({same}, alone).ok());
        QVERIFY(qAbs(streamSeconds(alone, "video") - 2.0) < 0.05);
        const double psnr = partPsnr(joined, 2.0, 2.0, alone);
        QVERIFY2(psnr >= 40.0, qPrintable(QString::number(psnr)));
        // ... and not the first part's picture, which is not negated.
        QVERIFY(partPsnr(joined, 0.0, 2.0, alone) < 20.0);
    }

    // A sound-only input between pictures gets a black picture for its
    // length, its sound in place after the part before it.
    void soundOnlyInputGetsABlackPicture()
    {
        const QString tone = m_dir + "/tone.m4a";
        QVERIFY(TestMedia::makeClip(tone, 2.0, 0, 0, "25", 48000, 1));
        const QString joined = m_dir + "/with_tone.mp4";
        const TranscodeResult result = join({inputOf(m_clips[2], 0, 2000), inputOf(tone)}, joined, true);
        QVERIFY2(result.ok(), result.reason.c_str());
        const int pictures = pictureHashes(joined).size();
        QVERIFY2(qAbs(pictures - 4 * 60) <= 1, qPrintable(QString::number(pictures)));
        const double sound = streamSeconds(joined, "audio");
        QVERIFY2(qAbs(sound - 4.0) < 0.05, qPrintable(QString::number(sound)));
        const QList<QPair<double, double>> black = TestMedia::blackStretches(joined);
        QCOMPARE(black.size(), 1);
        QVERIFY2(qAbs(black[0].first - 2.0) < 0.05 && black[0].second > 3.9,
                 qPrintable(QStringLiteral("%1..%2").arg(black[0].first).arg(black[0].second)));
        // The clip's tone starts 1 s in; the sound-only part follows without a gap.
        const QList<double> onsets = TestMedia::soundOnsets(joined);
        QCOMPARE(onsets.size(), 1);
        QVERIFY2(qAbs(onsets[0] - 1.0) < 0.05, qPrintable(QString::number(onsets[0])));
    }
};

QTEST_GUILESS_MAIN(TestJoinedInputs)
#include "tst_joinedinputs.moc"
