// The picture keeps its shape in a frame of another shape: fitted with black
// bars (the default), stretched, or cropped to fill; measured on converted
// files with ffprobe and the ffmpeg tool's cropdetect.

#include "engine/av/filtergraph.h"

#include "common/testmedia.h"
#include "typedjobs.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <cstring>

namespace {

OutputSpec mp4Info(int width, int height, FrameFit fit)
{
    OutputSpec spec = TypedJobs::spec("libx264", "aac", width, height, 600000);
    spec.video.frameRate = Rational{25, 1};
    spec.video.fit = fit;
    return spec;
}

// The crop rectangle cropdetect reports most often ("w:h:x:y").
QString activePicture(const QString &path)
{
    QProcess p;
    p.start("ffmpeg", {"-v", "info", "-nostdin", "-i", path, "-vf", "cropdetect=limit=24:round=2:reset=1",
                       "-f", "null", "-"});
    if (!p.waitForFinished(120000))
        return {};
    QMap<QString, int> counts;
    static const QRegularExpression re("crop=([0-9]+:[0-9]+:[0-9]+:[0-9]+)");
    auto it = re.globalMatch(QString::fromUtf8(p.readAllStandardError()));
    while (it.hasNext())
        ++counts[it.next().captured(1)];
    QString best;
    for (auto c = counts.cbegin(); c != counts.cend(); ++c)
        if (best.isEmpty() || c.value() > counts.value(best))
            best = c.key();
    return best;
}

// Names of the chain's filters, in order, with the options of pad/crop/scale.
QStringList describe(const std::vector<FilterNode> &chain)
{
    QStringList out;
    for (const FilterNode &n : chain) {
        QString s = QString::fromStdString(n.name);
        if (n.name == "pad" || n.name == "crop" || n.name == "scale") {
            QStringList values;
            for (const auto &[key, value] : n.options)
                if (key != "flags" && key != "color")
                    values << QString::fromStdString(value);
            s += "=" + values.join(':');
        }
        out << s;
    }
    return out;
}

} // namespace

class TestOutputShape : public QObject {
    Q_OBJECT
    QString m_dir, m_wide, m_square43, m_anamorphic;

    QString convert(const QString &source, const OutputSpec &info, const QString &name)
    {
        const QString out = m_dir + "/" + name;
        const TranscodeResult result = Transcoder::run(TypedJobs::job({source}, out, info));
        if (!result.ok()) {
            qWarning() << "conversion failed:" << result.reason.c_str();
            return {};
        }
        return out;
    }

    static QJsonObject videoOf(const QString &path)
    {
        return TestMedia::stream(TestMedia::probe(path), "video");
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_wide = m_dir + "/wide.mp4";
        QVERIFY(TestMedia::makeClip(m_wide, 1.2, 1920, 1080));
        m_square43 = m_dir + "/four-three.mp4";
        QVERIFY(TestMedia::makeClip(m_square43, 1.2, 640, 480));
        // PAL 16:9: 720x576 pixels that are wider than tall.
        m_anamorphic = m_dir + "/pal-wide.mp4";
        QVERIFY(TestMedia::makeClip(m_anamorphic, 1.2, 720, 576, "25", 44100, 2, {"-vf", "setsar=64/45"}));
        QCOMPARE(videoOf(m_anamorphic).value("display_aspect_ratio").toString(), QStringLiteral("16:9"));
    }

    // The chain the builder makes for each fit.
    void chainsForEachFit_data()
    {
        QTest::addColumn<int>("inW");
        QTest::addColumn<int>("inH");
        QTest::addColumn<int>("sarNum");
        QTest::addColumn<int>("sarDen");
        QTest::addColumn<int>("outW");
        QTest::addColumn<int>("outH");
        QTest::addColumn<int>("fit");
        QTest::addColumn<QStringList>("want");
        const int pad = int(FrameFit::Pad), crop = int(FrameFit::Crop), stretch = int(FrameFit::Stretch);
        QTest::newRow("wide into 4:3: letterbox")
            << 1920 << 1080 << 1 << 1 << 640 << 480 << pad
            << QStringList{"scale=640:360", "pad=640:480:0:60", "setsar"};
        QTest::newRow("4:3 into 16:9: pillarbox")
            << 640 << 480 << 1 << 1 << 1280 << 720 << pad
            << QStringList{"scale=960:720", "pad=1280:720:160:0", "setsar"};
        QTest::newRow("anamorphic PAL 16:9 into 4:3")
            << 720 << 576 << 64 << 45 << 640 << 480 << pad
            << QStringList{"scale=640:360", "pad=640:480:0:60", "setsar"};
        QTest::newRow("same shape: scaled only")
            << 1280 << 720 << 1 << 1 << 640 << 360 << pad << QStringList{"scale=640:360", "setsar"};
        QTest::newRow("wide cropped to 4:3")
            << 1920 << 1080 << 1 << 1 << 640 << 480 << crop
            << QStringList{"crop=1440:1080:240:0", "scale=640:480", "setsar"};
        QTest::newRow("tall cropped to 16:9") << 640 << 480 << 1 << 1 << 1280 << 720 << crop
                                              << QStringList{"crop=640:360:0:60", "scale=1280:720", "setsar"};
        QTest::newRow("stretched as before")
            << 1920 << 1080 << 1 << 1 << 640 << 480 << stretch << QStringList{"scale=640:480", "setsar"};
    }
    void chainsForEachFit()
    {
        QFETCH(int, inW);
        QFETCH(int, inH);
        QFETCH(int, sarNum);
        QFETCH(int, sarDen);
        QFETCH(int, outW);
        QFETCH(int, outH);
        QFETCH(int, fit);
        QFETCH(QStringList, want);
        VideoFilterInput in;
        in.width = inW;
        in.height = inH;
        in.sampleAspect = {sarNum, sarDen};
        VideoFilterOutput out;
        out.width = outW;
        out.height = outH;
        out.fit = FrameFit(fit);
        int w = 0, h = 0;
        QCOMPARE(describe(FilterGraph::videoChain(FilterSettings(), in, out, &w, &h)), want);
        QCOMPARE(QSize(w, h), QSize(outW, outH));
    }

    // A frame with a display aspect of its own (DVD 16:9) takes a 16:9
    // picture whole, and boxes a wider one.
    void displayAspectFramesCountTheirShape()
    {
        VideoFilterInput in;
        in.width = 1920;
        in.height = 1080;
        VideoFilterOutput out;
        out.width = 720;
        out.height = 576;
        out.displayAspect = {16, 9};
        out.fit = FrameFit::Pad;
        QCOMPARE(describe(FilterGraph::videoChain(FilterSettings(), in, out)),
                 QStringList({"scale=720:576", "setdar"}));
        in.width = 2400; // 2.22:1
        QCOMPARE(describe(FilterGraph::videoChain(FilterSettings(), in, out)),
                 QStringList({"scale=720:460", "pad=720:576:0:58", "setdar"}));
    }

    // The crop of the editor sets the picture's shape: a square cut of a
    // wide picture is pillarboxed in a 4:3 frame.
    void theEditorsCropSetsTheShape()
    {
        FilterSettings s;
        s.crop = true;
        s.cropLeft = 420;
        s.cropWidth = 1080;
        s.cropHeight = 1080;
        VideoFilterInput in;
        in.width = 1920;
        in.height = 1080;
        VideoFilterOutput out;
        out.width = 640;
        out.height = 480;
        out.fit = FrameFit::Pad;
        QCOMPARE(describe(FilterGraph::videoChain(s, in, out)),
                 QStringList({"crop=1080:1080:420:0", "scale=480:480", "pad=640:480:80:0", "setsar"}));
        QCOMPARE(FilterGraph::pictureAspect(s, in), 1.0);
    }

    // The acceptance case: 1920x1080 to the 640x480 "MP4 Video" frame.
    void wideSourceIsLetterboxed()
    {
        const QString out = convert(m_wide, mp4Info(640, 480, FrameFit::Pad), "letterbox.mp4");
        QVERIFY(!out.isEmpty());
        const QJsonObject video = videoOf(out);
        QCOMPARE(video.value("width").toInt(), 640);
        QCOMPARE(video.value("height").toInt(), 480);
        QCOMPARE(video.value("sample_aspect_ratio").toString(), QStringLiteral("1:1"));
        QCOMPARE(activePicture(out), QStringLiteral("640:360:0:60"));
        QString errors;
        QVERIFY2(TestMedia::decodesCleanly(out, &errors), qPrintable(errors));
    }

    void stretchGivesTheOldPicture()
    {
        const QString out = convert(m_wide, mp4Info(640, 480, FrameFit::Stretch), "stretch.mp4");
        QVERIFY(!out.isEmpty());
        const QJsonObject video = videoOf(out);
        QCOMPARE(video.value("sample_aspect_ratio").toString(), QStringLiteral("1:1"));
        QCOMPARE(video.value("display_aspect_ratio").toString(), QStringLiteral("4:3"));
        QCOMPARE(activePicture(out), QStringLiteral("640:480:0:0"));
    }

    void cropFillsTheFrame()
    {
        const QString out = convert(m_wide, mp4Info(640, 480, FrameFit::Crop), "crop.mp4");
        QVERIFY(!out.isEmpty());
        QCOMPARE(activePicture(out), QStringLiteral("640:480:0:0"));
        // The frame shows the middle of the picture: testsrc2's left colour
        // bar (one of seven) is cut down to a sliver.
        QCOMPARE(videoOf(out).value("width").toInt(), 640);
    }

    void fourThreeSourceIsPillarboxedInAWideFrame()
    {
        const QString out = convert(m_square43, mp4Info(640, 360, FrameFit::Pad), "pillarbox.mp4");
        QVERIFY(!out.isEmpty());
        QCOMPARE(activePicture(out), QStringLiteral("480:360:80:0"));
    }

    // Anamorphic PAL 16:9 counts its wide pixels: letterboxed like any
    // 16:9 picture, and kept as it is in a frame of its own size.
    void anamorphicSourceComesOutRight()
    {
        const QString boxed = convert(m_anamorphic, mp4Info(640, 480, FrameFit::Pad), "pal-boxed.mp4");
        QVERIFY(!boxed.isEmpty());
        QCOMPARE(activePicture(boxed), QStringLiteral("640:360:0:60"));

        const QString kept = convert(m_anamorphic, mp4Info(720, 576, FrameFit::Pad), "pal-kept.mp4");
        QVERIFY(!kept.isEmpty());
        const QJsonObject video = videoOf(kept);
        QCOMPARE(video.value("width").toInt(), 720);
        QCOMPARE(video.value("display_aspect_ratio").toString(), QStringLiteral("16:9"));
        QCOMPARE(activePicture(kept), QStringLiteral("720:576:0:0"));
    }

    // The DVD profile's frame is 16:9 or 4:3 after the source; a picture
    // wider than 16:9 is boxed in it.
    void dvdFramesBoxAWiderPicture()
    {
        const QString source = m_dir + "/scope.mp4";
        QVERIFY(TestMedia::makeClip(source, 1.2, 1280, 536));
        OutputSpec info = mp4Info(720, 576, FrameFit::Pad);
        info.dvd = true;
        info.video.codec = "mpeg2video";
        info.audio.codec = "ac3";
        const QString out = convert(source, info, "scope.mpg");
        QVERIFY(!out.isEmpty());
        QCOMPARE(videoOf(out).value("display_aspect_ratio").toString(), QStringLiteral("16:9"));
        const QStringList active = activePicture(out).split(':');
        QCOMPARE(active.value(0), QStringLiteral("720"));
        // 2.39:1 in 16:9: about three quarters of the height.
        QVERIFY2(qAbs(active.value(1).toInt() - 430) <= 6, qPrintable(active.join(':')));
    }
};

QTEST_GUILESS_MAIN(TestOutputShape)
#include "tst_outputshape.moc"
