// The record-and-setters interface on top of the typed job: a record and
// filter calls still convert a file and report through the getters, and a
// record means the job it always meant.

#include "engine/transcode/encodeinfoadapter.h"
#include "engine/transcode/ffmpegtranscode.h"

#include "common/testmedia.h"

#include <QFile>
#include <QtTest>

#include <cstring>

namespace {

EncodeInfo mp4Record()
{
    EncodeInfo e;
    e.constant16 = 16;
    e.width = 320;
    e.height = 240;
    e.videoBitrate = 500000;
    e.frameRate = 29970;
    std::strcpy(e.videoEncoder, "libx264");
    e.sampleRate = 44100;
    e.channels = 2;
    e.audioBitrate = 96000;
    std::strcpy(e.audioEncoder, "aac");
    e.aspectMode = ENCODE_ASPECT_CROP;
    return e;
}

} // namespace

class TestEncodeInfoAdapter : public QObject {
    Q_OBJECT
    QString m_dir;
    QString m_clip;

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/clip.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 3.0, 400, 300, "25"));
    }

    // A record, an input, a filter call: converted, and every getter tells
    // how it went.  A second job on the same object starts afresh.
    void convertsAndReportsThroughTheGetters()
    {
        CFFmpegTranscode t;
        EncodeInfo info = mp4Record();
        info.msStart = 500;
        info.msEnd = 2500;
        QCOMPARE(t.SetEncodeInfo(&info), 1);
        QCOMPARE(t.AddInputFile(m_clip.toUtf8().constData()), 1);
        t.AddhFilpFileter(0);
        const QString out = m_dir + "/adapter.mp4";
        QCOMPARE(t.Transcode(out.toUtf8().constData()), 1);
        QCOMPARE(t.GetLastConvetStatus(), int(TRANSCODE_FINISHED));
        double progress = 0, unused = 0;
        t.GetEncodePrg(progress, unused);
        QCOMPARE(progress, 1.0);
        QVERIFY(t.GetFrameNubmer() >= 59);
        QVERIFY(t.GetLastErrorText().empty());
        QCOMPARE(t.GetOutputFiles(), std::vector<std::string>{out.toStdString()});
        const QJsonObject p = TestMedia::probe(out);
        const QJsonObject video = TestMedia::stream(p, "video");
        QCOMPARE(video.value("width").toInt(), 320);
        QCOMPARE(video.value("r_frame_rate").toString(), QString("30000/1001"));
        QVERIFY(qAbs(TestMedia::durationSeconds(p) - 2.0) < 0.1);
        QCOMPARE(TestMedia::decodedFrames(out), int(t.GetFrameNubmer()));
        QVERIFY(!t.filterSnapshot().hFlip); // the filters went with the job

        // Nothing to read: failed, with the reason, no output.
        QCOMPARE(t.SetEncodeInfo(&info), 1);
        t.AddInputFile((m_dir + "/missing.mp4").toUtf8().constData());
        QCOMPARE(t.Transcode((m_dir + "/none.mp4").toUtf8().constData()), 0);
        QCOMPARE(t.GetLastConvetStatus(), int(TRANSCODE_FAILED));
        QVERIFY(!t.GetLastErrorText().empty());
        QVERIFY(t.GetOutputFiles().empty());
        QVERIFY(!QFile::exists(m_dir + "/none.mp4"));
    }

    // The record's fields in the typed job; its section lies on the inputs
    // joined end to end, so each input gets its share of it.
    void recordBecomesTheTypedJob()
    {
        EncodeInfo info = mp4Record();
        std::strcpy(info.videoEncoder, "");
        info.msStart = 2000;
        info.msEnd = 4000;
        FilterSettings filters;
        filters.negate = true;
        const TranscodeJob job = jobFromEncodeInfo(info, {m_clip.toStdString(), m_clip.toStdString()},
                                                   filters, (m_dir + "/x.mp4").toStdString());
        QCOMPARE(job.output.video.codec, std::string("libx264")); // the container's default
        QCOMPARE(job.output.video.frameRate, (Rational{2997, 100}));
        QVERIFY(job.output.video.fit == FrameFit::Crop);
        QVERIFY(std::get<RateControl::BitRate>(job.output.video.rate).bitsPerSecond == 500000);
        QCOMPARE(job.inputs.size(), size_t(2));
        QCOMPARE(job.inputs[0].msStart, int64_t(2000));
        QCOMPARE(job.inputs[0].msEnd, int64_t(0)); // to its end
        QCOMPARE(job.inputs[1].msStart, int64_t(0));
        QVERIFY(qAbs(job.inputs[1].msEnd - 1000) <= 50);
        QVERIFY(job.inputs[1].filters.negate);

        // A section wholly inside the first input leaves the second out.
        info.msStart = 500;
        info.msEnd = 1500;
        const TranscodeJob first = jobFromEncodeInfo(info, {m_clip.toStdString(), m_clip.toStdString()},
                                                     filters, (m_dir + "/x.mp4").toStdString());
        QCOMPARE(first.inputs.size(), size_t(1));
        QCOMPARE(first.inputs[0].msEnd, int64_t(1500));
    }
};

QTEST_GUILESS_MAIN(TestEncodeInfoAdapter)
#include "tst_encodeinfoadapter.moc"
