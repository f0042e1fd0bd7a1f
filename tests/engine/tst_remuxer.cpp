// The stream-copy remuxer: streams copied into another container without
// decoding, reordered pictures keeping their times, decoding times kept
// rising where the output's time base is coarser, and a copy that ends on
// a stop or when its handler says so.

#include "engine/av/remuxer.h"
#include "engine/av/remuxinput.h"

#include "common/testmedia.h"

#include <QProcess>
#include <QtTest>

#include <atomic>

namespace {

av::RemuxWording testWording()
{
    av::RemuxWording w;
    w.cannotCreate = "cannot create";
    w.cannotAddStream = "cannot add";
    w.cannotOpen = "cannot open";
    w.cannotStart = "cannot start";
    w.cannotWrite = "cannot write";
    w.cannotFinish = "cannot finish";
    return w;
}

// One field of every packet of a stream ("v" or "a"), in file order.
QStringList packetField(const QString &path, const QString &stream, const QString &field)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", stream + ":0", "-show_entries", "packet=" + field,
                        "-of", "csv=p=0", path});
    p.waitForFinished(60000);
    // MPEG-TS packets add a field and a line of their own side data.
    QStringList values;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const QString value = line.section(',', 0, 0).trimmed();
        if (!value.isEmpty())
            values << value;
    }
    return values;
}

// Times in order, counted from the first: a muxer may move the whole file
// (sound that starts before the picture).
QList<double> relativeTimes(const QStringList &times)
{
    QList<double> values;
    for (const QString &t : times)
        values << t.trimmed().toDouble();
    std::sort(values.begin(), values.end());
    const double first = values.value(0);
    for (double &v : values)
        v -= first;
    return values;
}

bool sameTimes(const QList<double> &a, const QList<double> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (qAbs(a[i] - b[i]) > 0.0015)
            return false;
    }
    return true;
}

// Copies every stream of input into output with the muxer.
bool remuxAll(const QString &input, const QString &output, const std::string &muxer, std::string *error)
{
    av::InputFormatPtr in;
    const av::InputOpening opened = av::openInput(input.toStdString(), nullptr, nullptr, in);
    if (!opened.ok())
        return av::failWith(error, "cannot read " + input.toStdString());
    av::Remuxer out(testWording());
    if (!out.open(output.toStdString(), muxer, error))
        return false;
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        if (out.addStream(in->streams[i], av::Remuxer::StreamCopy{}, error) < 0)
            return false;
    }
    av::Dictionary options;
    if (!out.start(options, error))
        return false;
    std::atomic<bool> stop{false};
    int readError = 0;
    // Times count from the input's start, as a capture writes them.
    auto write = [&](AVPacket *p) {
        const AVRational tb = in->streams[p->stream_index]->time_base;
        const int64_t start =
            in->start_time != AV_NOPTS_VALUE ? av_rescale_q(in->start_time, AV_TIME_BASE_Q, tb) : 0;
        p->pts = p->pts != AV_NOPTS_VALUE ? p->pts - start : p->pts;
        p->dts = p->dts != AV_NOPTS_VALUE ? p->dts - start : p->dts;
        return out.write(p, p->stream_index, tb, error);
    };
    const av::CopyEnd end = av::copyPackets(in.get(), stop, write, &readError);
    if (end != av::CopyEnd::InputEnded)
        return false;
    return out.finish(error);
}

} // namespace

class TestRemuxer : public QObject {
    Q_OBJECT

private:
    QString m_dir;

private slots:
    void initTestCase() { m_dir = TestMedia::tempDir(); }

    // Picture and sound arrive in the new container as they were: same
    // codecs, same length, every picture decodable.
    void copiesStreamsIntoAnotherContainer_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("muxer");
        QTest::newRow("mp4 to matroska") << "clip.mp4"
                                         << "clip.mkv"
                                         << "matroska";
        QTest::newRow("matroska to mp4") << "clip.mkv"
                                         << "clip-from-mkv.mp4"
                                         << "mp4";
        QTest::newRow("mpeg-ts to mp4") << "clip.ts"
                                        << "clip-from-ts.mp4"
                                        << "mp4";
    }
    void copiesStreamsIntoAnotherContainer()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, muxer);
        const QString in = m_dir + "/" + source;
        const QString out = m_dir + "/" + target;
        QVERIFY(TestMedia::makeClip(in, 2.0, 160, 120, "25", 44100, 2, {"-c:v", "libx264", "-c:a", "aac"}));
        std::string error;
        QVERIFY2(remuxAll(in, out, muxer.toStdString(), &error), error.c_str());

        const QJsonObject probe = TestMedia::probe(out);
        QCOMPARE(TestMedia::stream(probe, "video").value("codec_name").toString(), QString("h264"));
        QCOMPARE(TestMedia::stream(probe, "audio").value("codec_name").toString(), QString("aac"));
        QVERIFY2(qAbs(TestMedia::durationSeconds(probe) - 2.0) < 0.15,
                 qPrintable(QString::number(TestMedia::durationSeconds(probe))));
        QCOMPARE(TestMedia::decodedFrames(out), 50);
        QString why;
        QVERIFY2(TestMedia::decodesCleanly(out, &why), qPrintable(why));
        // Reordered pictures keep the times they are shown at (a Matroska
        // source gives no decoding time for its first ones).
        const QList<double> shown = relativeTimes(packetField(out, "v", "pts_time"));
        QVERIFY(sameTimes(shown, relativeTimes(packetField(in, "v", "pts_time"))));
    }

    // Packets a few 90 kHz ticks apart fall on the same millisecond in
    // Matroska; repeated and backward times come from broken sources.  The
    // file is written all the same, with decoding times rising.
    void decodingTimesRiseInTheOutputTimeBase()
    {
        const QString in = m_dir + "/intra.avi";
        const QString out = m_dir + "/intra.mkv";
        QVERIFY(TestMedia::makeClip(in, 1.0, 160, 120, "25", 0, 0, {"-c:v", "mjpeg"}));
        av::InputFormatPtr input;
        QVERIFY(av::openInput(in.toStdString(), nullptr, nullptr, input).ok());
        av::Remuxer remuxer(testWording());
        std::string error;
        QVERIFY2(remuxer.open(out.toStdString(), "matroska", &error), error.c_str());
        QCOMPARE(remuxer.addStream(input->streams[0], av::Remuxer::StreamCopy{}, &error), 0);
        av::Dictionary options;
        QVERIFY2(remuxer.start(options, &error), error.c_str());

        const QList<int64_t> ticks = {0, 30, 60, 90, 90, 45, 3600, 3600, 3630, 7200};
        std::atomic<bool> stop{false};
        int index = 0, readError = 0;
        const av::CopyEnd end = av::copyPackets(
            input.get(), stop,
            [&](AVPacket *p) {
                p->pts = p->dts = ticks.value(index, 7200 + 3600 * index);
                ++index;
                return remuxer.write(p, 0, AVRational{1, 90000}, &error);
            },
            &readError);
        QVERIFY2(end == av::CopyEnd::InputEnded, error.c_str());
        QVERIFY2(remuxer.finish(&error), error.c_str());
        QCOMPARE(remuxer.packetsWritten(), int64_t(index));

        const QStringList dts = packetField(out, "v", "dts");
        QCOMPARE(dts.size(), index);
        for (int i = 1; i < dts.size(); ++i)
            QVERIFY2(dts[i].toLongLong() > dts[i - 1].toLongLong(), qPrintable(dts.join(' ')));
        QCOMPARE(TestMedia::decodedFrames(out), index);
    }

    // The copy hands on every packet, ends at once on a stop, and ends when
    // its handler refuses a packet.
    void copyEndsAsTold()
    {
        const QString in = m_dir + "/short.mp4";
        QVERIFY(TestMedia::makeClip(in, 1.0, 160, 120, "25", 0, 0, {"-c:v", "libx264"}));
        const int packets = packetField(in, "v", "size").size();
        QCOMPARE(packets, 25);
        av::InputFormatPtr input;
        QVERIFY(av::openInput(in.toStdString(), nullptr, nullptr, input).ok());
        std::atomic<bool> stop{false};
        int seen = 0, readError = 0;
        auto count = [&](AVPacket *) { return ++seen < 10; };
        QVERIFY(av::copyPackets(input.get(), stop, count, &readError) == av::CopyEnd::Refused);
        QCOMPARE(seen, 10);

        QVERIFY(av::openInput(in.toStdString(), nullptr, nullptr, input).ok());
        seen = 0;
        auto all = [&](AVPacket *) { return ++seen > 0; };
        QVERIFY(av::copyPackets(input.get(), stop, all, &readError) == av::CopyEnd::InputEnded);
        QCOMPARE(seen, packets);

        QVERIFY(av::openInput(in.toStdString(), nullptr, nullptr, input).ok());
        seen = 0;
        stop = true;
        QVERIFY(av::copyPackets(input.get(), stop, all, &readError) == av::CopyEnd::Stopped);
        QCOMPARE(seen, 0);

        const av::InputOpening missing =
            av::openInput((m_dir + "/missing.mp4").toStdString(), nullptr, nullptr, input);
        QVERIFY(!missing.ok());
        QVERIFY(!missing.readingStreams);
        QVERIFY(!input);
    }

    // A container that cannot take the codec refuses at the header, in the
    // caller's words with FFmpeg's reason.
    void refusalsReadInTheCallersWords()
    {
        const QString in = m_dir + "/refused.mp4";
        QVERIFY(TestMedia::makeClip(in, 1.0, 160, 120, "25", 0, 0, {"-c:v", "libx264"}));
        av::InputFormatPtr input;
        QVERIFY(av::openInput(in.toStdString(), nullptr, nullptr, input).ok());
        av::Remuxer remuxer(testWording());
        std::string error;
        QVERIFY(!remuxer.open((m_dir + "/x.none").toStdString(), "no-such-muxer", &error));
        QCOMPARE(QString::fromStdString(error), QString("cannot create"));
        QVERIFY2(remuxer.open((m_dir + "/refused.wav").toStdString(), "wav", &error), error.c_str());
        QCOMPARE(remuxer.addStream(input->streams[0], av::Remuxer::StreamCopy{}, &error), 0);
        av::Dictionary options;
        QVERIFY(!remuxer.start(options, &error));
        QVERIFY2(QString::fromStdString(error).startsWith("cannot start: "), error.c_str());
    }
};

QTEST_GUILESS_MAIN(TestRemuxer)
#include "tst_remuxer.moc"
