#include "engine/av/filtergraph.h"
#include "engine/av/pictureframe.h"
#include "engine/av/scalercpu.h"
#include "engine/transcode/transcoder.h"

#include "common/testmedia.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtTest>

extern "C" {
#include <libavutil/cpu.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <tuple>

namespace {

// Mean absolute difference over a rectangle (whole picture when empty).
double meanDiff(const QImage &a, const QImage &b, QRect r = {})
{
    if (a.size() != b.size() || a.isNull())
        return 255.0;
    if (r.isNull())
        r = a.rect();
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum / (r.width() * r.height() * 3.0);
}

double meanLuma(const QImage &img)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            sum += qGray(img.pixel(x, y));
    return sum / (img.width() * img.height());
}

// Sum of differences between horizontal neighbours: high for sharp pictures.
double edgeEnergy(const QImage &img)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 1; x < img.width(); ++x)
            sum += qAbs(qGray(img.pixel(x, y)) - qGray(img.pixel(x - 1, y)));
    return sum / (img.width() * img.height());
}

double meanSaturationSpread(const QImage &img)
{
    double sum = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) {
            QRgb p = img.pixel(x, y);
            sum += qMax(qMax(qRed(p), qGreen(p)), qBlue(p)) - qMin(qMin(qRed(p), qGreen(p)), qBlue(p));
        }
    return sum / ((img.width() / 2) * (img.height() / 2));
}

// A 4:2:0 picture whose luma comes from luma(x, y), with neutral colour.
av::FramePtr yuvPicture(int width, int height, const std::function<int(int, int)> &luma)
{
    av::FramePtr frame = av::makePicture(AV_PIX_FMT_YUV420P, width, height);
    if (!frame)
        return {};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame->data[0][y * frame->linesize[0] + x] = uint8_t(luma(x, y));
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < (height + 1) / 2; ++y)
            memset(frame->data[p] + y * frame->linesize[p], 128, size_t(width + 1) / 2);
    frame->pts = 0;
    return frame;
}

// The picture a graph built for the settings makes of one picture (empty,
// with a warning, when it makes none).
av::FramePtr filterOnce(const FilterSettings &settings, const VideoFilterOutput &out, AVFrame *picture)
{
    if (!picture)
        return {};
    VideoFilterInput in;
    in.width = picture->width;
    in.height = picture->height;
    in.pixFmt = picture->format;
    in.timeBase = {1, 25};
    FilterGraph graph;
    std::string error;
    if (!graph.initVideo(settings, in, out, &error)) {
        qWarning("no filter graph: %s", error.c_str());
        return {};
    }
    av::FramePtr result = av::makeFrame();
    if (graph.push(picture) < 0 || graph.push(nullptr) < 0 || graph.pull(result.get()) != 0)
        return {};
    return result;
}

} // namespace

class TestFilters : public QObject {
    Q_OBJECT
    QString m_dir;
    QString m_clip; // 2 s, 320x240, 25 fps, 44.1 kHz stereo sine
    int m_count = 0;

    QImage frameAt(const QString &path, double seconds)
    {
        const QString png = m_dir + QString("/frame_%1.png").arg(++m_count);
        if (!TestMedia::ffmpeg({"-ss", QString::number(seconds), "-i", path, "-frames:v", "1", png}))
            return {};
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }

    // A lossless job of src (the clip when empty) into out, with the filters set by setup.
    TranscodeJob losslessJob(const std::function<void(FilterSettings &)> &setup, const QString &src,
                             const QString &out)
    {
        TranscodeJob job;
        TranscodeInput in;
        in.path = (src.isEmpty() ? m_clip : src).toStdString();
        setup(in.filters);
        job.inputs.push_back(in);
        job.output.path = out.toStdString();
        job.output.video.codec = "ffv1";
        job.output.audio.codec = "pcm_s16le";
        job.output.audio.sampleRate = 44100;
        job.output.audio.channels = 2;
        return job;
    }

    // Converts the clip losslessly with the filters set by setup.
    QString convert(const std::function<void(FilterSettings &)> &setup, const QString &src = {},
                    const QString &name = {})
    {
        const QString out = m_dir + "/" + (name.isEmpty() ? QString("out_%1.mkv").arg(++m_count) : name);
        const TranscodeResult result = Transcoder::run(losslessJob(setup, src, out));
        if (!result.ok()) {
            qWarning("conversion failed: %s", result.reason.c_str());
            return {};
        }
        return out;
    }

    double audioRms(const QString &path)
    {
        QProcess p;
        p.start("ffmpeg", {"-v", "error", "-i", path, "-map", "0:a", "-f", "s16le", "-ac", "1", "-"});
        p.waitForFinished(30000);
        const QByteArray pcm = p.readAllStandardOutput();
        const auto *s = reinterpret_cast<const int16_t *>(pcm.constData());
        const int n = int(pcm.size() / 2);
        double sum = 0;
        for (int i = 0; i < n; ++i)
            sum += double(s[i]) * s[i];
        return n ? std::sqrt(sum / n) : -1;
    }

    // A test pattern scaled from one size to another with the processor
    // features given, as the bytes of its three planes.
    static QByteArray scaledPattern(int flags, int sw, int sh, int dw, int dh)
    {
        av_force_cpu_flags(flags);
        av::SwsPtr sws(sws_getContext(sw, sh, AV_PIX_FMT_YUV420P, dw, dh, AV_PIX_FMT_YUV420P, SWS_BICUBIC,
                                      nullptr, nullptr, nullptr));
        av::FramePtr src = av::makePicture(AV_PIX_FMT_YUV420P, sw, sh);
        av::FramePtr dst = av::makePicture(AV_PIX_FMT_YUV420P, dw, dh);
        if (!sws || !src || !dst)
            return QByteArray();
        for (int p = 0; p < 3; ++p)
            for (int y = 0; y < (p ? sh / 2 : sh); ++y)
                for (int x = 0; x < (p ? sw / 2 : sw); ++x)
                    src->data[p][y * src->linesize[p] + x] = uint8_t((x * 7 + y * 13) ^ (x * y) ^ (p * 50));
        sws_scale(sws.get(), src->data, src->linesize, 0, sh, dst->data, dst->linesize);
        QByteArray planes;
        for (int p = 0; p < 3; ++p)
            for (int y = 0; y < (p ? dh / 2 : dh); ++y)
                planes.append(reinterpret_cast<const char *>(dst->data[p] + y * dst->linesize[p]),
                              p ? dw / 2 : dw);
        return planes;
    }

private slots:
    void initTestCase()
    {
        m_dir = TestMedia::tempDir();
        m_clip = m_dir + "/src.mkv";
        QVERIFY(TestMedia::makeClip(m_clip, 2.0, 320, 240, "25", 44100, 2,
                                    {"-c:v", "ffv1", "-c:a", "pcm_s16le"}));
    }

    void escapedValuesSurviveTheGraphParser()
    {
        const std::string nasty = "a:b,c'd[e]f\\g;h %{pts} =x";
        FilterNode node{
            "drawtext", {{"fontfile", FontLookup_default()}, {"text", nasty}, {"expansion", "none"}}, {}};
        const std::string desc = FilterGraph::describe({node});
        AVFilterGraph *graph = avfilter_graph_alloc();
        AVFilterInOut *in = nullptr, *out = nullptr;
        QVERIFY(avfilter_graph_parse2(graph, desc.c_str(), &in, &out) >= 0);
        AVFilterContext *ctx = nullptr;
        for (unsigned i = 0; i < graph->nb_filters; ++i)
            if (std::string(graph->filters[i]->filter->name) == "drawtext")
                ctx = graph->filters[i];
        QVERIFY(ctx);
        QCOMPARE(graph->nb_filters, 1u); // nothing injected
        uint8_t *value = nullptr;
        QVERIFY(av_opt_get(ctx, "text", AV_OPT_SEARCH_CHILDREN, &value) >= 0);
        QCOMPARE(QString::fromUtf8(reinterpret_cast<char *>(value)), QString::fromStdString(nasty));
        av_free(value);
        avfilter_inout_free(&in);
        avfilter_inout_free(&out);
        avfilter_graph_free(&graph);
    }

    // The player's preview runs frames through the same graph: mirror and zoom.
    void previewGraphMirrorsAndZooms()
    {
        FilterSettings settings;
        settings.hFlip = true;
        settings.vFlip = true;
        settings.zoomMode = 0;
        settings.zoomWidth = 32;
        settings.zoomHeight = 24;
        VideoFilterOutput out;
        out.pixFmts = {AV_PIX_FMT_RGBA};
        // A bright top-left quarter, dark elsewhere.
        av::FramePtr picture = yuvPicture(64, 48, [](int x, int y) { return (x < 32 && y < 24) ? 235 : 16; });
        av::FramePtr result = filterOnce(settings, out, picture.get());
        QVERIFY(result);
        QCOMPARE(result->width, 32);
        QCOMPARE(result->height, 24);
        QCOMPARE(result->format, int(AV_PIX_FMT_RGBA));
        auto luma = [&](int x, int y) { return int(result->data[0][y * result->linesize[0] + x * 4]); };
        QVERIFY(luma(28, 20) > 200); // the bright corner is now bottom-right
        QVERIFY(luma(3, 3) < 40);
    }

    // The preview's zoom shows the picture at the output's size but in its
    // own shape: a wide picture zoomed to a 4:3 frame size is not squeezed
    // (the conversion boxes it or keeps its display aspect).
    void previewZoomKeepsThePicturesShape()
    {
        FilterSettings settings;
        settings.zoomMode = 0;
        settings.zoomWidth = 72; // a DVD-like 720x576 frame, small
        settings.zoomHeight = 58;
        VideoFilterOutput out;
        out.evenSize = false; // as the player asks
        av::FramePtr picture = yuvPicture(128, 72, [](int, int) { return 128; });
        av::FramePtr result = filterOnce(settings, out, picture.get());
        QVERIFY(result);
        const AVRational sar =
            result->sample_aspect_ratio.num > 0 ? result->sample_aspect_ratio : AVRational{1, 1};
        const double shown = result->width * av_q2d(sar) / result->height;
        QVERIFY2(std::abs(shown - 16.0 / 9.0) < 0.03, qPrintable(QString::number(shown)));
        QCOMPARE(result->height, 58);
    }

    // The crop is chosen on the mirrored picture, and the preview's zoom
    // comes after the overlays so that they sit where the output has them.
    void mirrorBeforeCropZoomAfterOverlays()
    {
        FilterSettings settings;
        settings.hFlip = true;
        settings.crop = true;
        settings.cropWidth = 32;
        settings.cropHeight = 24;
        settings.textWatermark = true;
        settings.textWatermarkText = "x";
        settings.zoomMode = 0;
        settings.zoomWidth = 40;
        settings.zoomHeight = 30;
        VideoFilterInput in;
        in.width = 64;
        in.height = 48;
        std::vector<std::string> names;
        for (const FilterNode &n : FilterGraph::videoChain(settings, in, VideoFilterOutput()))
            names.push_back(n.name);
        const auto at = [&](const char *name) {
            return std::find(names.begin(), names.end(), name) - names.begin();
        };
        QVERIFY(at("hflip") < at("crop"));
        QVERIFY(at("crop") < at("drawtext"));
        QVERIFY(at("drawtext") < at("scale"));
    }

    void negateInvertsPixels()
    {
        const QString out = convert([](FilterSettings &f) { f.negate = true; });
        QVERIFY(!out.isEmpty());
        QImage src = frameAt(m_clip, 1.0), dst = frameAt(out, 1.0);
        src.invertPixels();
        QVERIFY2(meanDiff(src, dst) < 4.0, qPrintable(QString::number(meanDiff(src, dst))));
        // Through the setters, off flag 1 removes it again.
        CFilterSetters setters;
        setters.SetNegateFilter(0);
        setters.SetNegateFilter(1);
        const QString plain = convert([&](FilterSettings &f) { f = setters.filterSnapshot(); });
        QVERIFY(meanDiff(frameAt(m_clip, 1.0), frameAt(plain, 1.0)) < 1.0);
    }

    void cropChangesSizeAndContent()
    {
        const QString out = convert([](FilterSettings &f) {
            f.crop = true;
            f.cropLeft = 40;
            f.cropTop = 30;
            f.cropWidth = 160;
            f.cropHeight = 120;
        });
        const QJsonObject v = TestMedia::stream(TestMedia::probe(out), "video");
        QCOMPARE(v.value("width").toInt(), 160);
        QCOMPARE(v.value("height").toInt(), 120);
        const QImage whole = frameAt(m_clip, 1.0).copy(40, 30, 160, 120);
        QVERIFY(meanDiff(whole, frameAt(out, 1.0)) < 2.0);
    }

    void levelsChangeThePictureProportionally()
    {
        const QImage src = frameAt(m_clip, 1.0);
        const double base = meanLuma(src);
        const double brighter = meanLuma(frameAt(convert([](FilterSettings &f) { f.lightness = 50; }), 1.0));
        const double brightest =
            meanLuma(frameAt(convert([](FilterSettings &f) { f.lightness = 100; }), 1.0));
        const double darker = meanLuma(frameAt(convert([](FilterSettings &f) { f.lightness = -50; }), 1.0));
        QVERIFY(brighter > base + 10 && brightest > brighter + 10 && darker < base - 10);
        const QImage gray = frameAt(convert([](FilterSettings &f) { f.saturation = -100; }), 1.0);
        QVERIFY2(meanSaturationSpread(gray) < 6.0, qPrintable(QString::number(meanSaturationSpread(gray))));
        QVERIFY(meanSaturationSpread(src) > 30.0);
        const QImage flat = frameAt(convert([](FilterSettings &f) { f.contrast = -80; }), 1.0);
        QVERIFY(edgeEnergy(flat) < edgeEnergy(src) * 0.5);
    }

    void blurSharpenDeshakeAndDeinterlace()
    {
        const QImage src = frameAt(m_clip, 1.0);
        const QImage blurred = frameAt(convert([](FilterSettings &f) { f.blur = true; }), 1.0);
        const QImage sharp = frameAt(convert([](FilterSettings &f) { f.sharp = true; }), 1.0);
        QVERIFY(edgeEnergy(blurred) < edgeEnergy(src) * 0.8);
        QVERIFY(edgeEnergy(sharp) > edgeEnergy(src) * 1.05);
        const QString shaken = convert([](FilterSettings &f) { f.deshake = true; });
        QVERIFY(!shaken.isEmpty());
        QCOMPARE(frameAt(shaken, 1.0).size(), QSize(320, 240));
        for (int mode = 0; mode < 4; ++mode) {
            const QString out = convert([mode](FilterSettings &f) {
                f.deinterlace = true;
                f.deinterlaceMode = mode;
            });
            QVERIFY2(!out.isEmpty(), qPrintable(QString::number(mode)));
            const QImage img = frameAt(out, 1.0);
            QCOMPARE(img.size(), QSize(320, 240));
            if (mode < 2) // a repeated field changes the picture
                QVERIFY(meanDiff(img, src) > 1.0);
        }
    }

    // The steadying filter's motion search read past the bottom of pictures
    // whose height is not a multiple of 8 (a crop to 200x150 crashed now and
    // then): its search area is cut to whole rows of 8.
    void deshakeSearchStaysInsideThePicture()
    {
        FilterSettings settings;
        settings.deshake = true;
        for (const int height : {150, 151, 240, 7}) {
            VideoFilterInput in;
            in.width = 200;
            in.height = height;
            int areaHeight = height;
            for (const FilterNode &n : FilterGraph::videoChain(settings, in, VideoFilterOutput()))
                if (n.name == "deshake")
                    for (const auto &[key, value] : n.options)
                        if (key == "h")
                            areaHeight = std::stoi(value);
            QVERIFY2(areaHeight <= height && (areaHeight % 8 == 0 || height < 8),
                     qPrintable(QString("%1 -> %2").arg(height).arg(areaHeight)));
            QVERIFY(areaHeight > height - 8);
        }
        const QString out = convert([](FilterSettings &f) {
            f.crop = true;
            f.cropLeft = f.cropTop = 10;
            f.cropWidth = 200;
            f.cropHeight = 150;
            f.deshake = true;
        });
        QVERIFY(!out.isEmpty());
        QCOMPARE(frameAt(out, 1.0).size(), QSize(200, 150));
    }

    void deinterlacingRemovesCombing()
    {
        // Two fields from different moments woven into one frame comb on motion.
        const QString src = m_dir + "/interlaced.mkv";
        QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=50:duration=1", "-vf",
                                   "tinterlace=mode=interleave_top,setfield=tff", "-c:v", "ffv1", src}));
        auto combing = [](const QImage &img) {
            double sum = 0;
            for (int y = 1; y + 1 < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    sum += qAbs(qGray(img.pixel(x, y)) -
                                (qGray(img.pixel(x, y - 1)) + qGray(img.pixel(x, y + 1))) / 2);
            return sum / (img.width() * img.height());
        };
        const double before = combing(frameAt(src, 0.5));
        for (int mode = 0; mode < 4; ++mode) {
            const QString out = convert(
                [mode](FilterSettings &f) {
                    f.deinterlace = true;
                    f.deinterlaceMode = mode;
                },
                src);
            const double after = combing(frameAt(out, 0.5));
            QVERIFY2(after < before * 0.7,
                     qPrintable(QString("mode %1: %2 -> %3").arg(mode).arg(before).arg(after)));
        }
    }

    void audioAmplifierScalesTheSound()
    {
        const double base = audioRms(m_clip);
        const double louder = audioRms(convert([](FilterSettings &f) {
            f.audioLevel = 100;
            f.audioLevelSet = true;
        }));
        const double silent = audioRms(convert([](FilterSettings &f) {
            f.audioLevel = -100;
            f.audioLevelSet = true;
        }));
        QVERIFY(base > 100);
        QVERIFY2(qAbs(louder / base - 2.0) < 0.1, qPrintable(QString::number(louder / base)));
        QVERIFY(silent < 1.0);
    }

    void subtitleAppearsOnlyAtItsCue()
    {
        const QString dir = m_dir + "/sub: dir, it's [odd]";
        QVERIFY(QDir().mkpath(dir));
        const QString srt = dir + "/cue's, \"x\": [1].srt";
        QFile f(srt);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1\n00:00:01,000 --> 00:00:02,000\nHELLO WORLD\n\n");
        f.close();
        {
            // Unreadable or foreign files are refused by the setter and change nothing.
            CFilterSetters t;
            QVERIFY(t.SetSubtileFilter(0, "/no/such.srt", (m_dir + "/").toUtf8().constData(), 0, "", 0, 0, 0,
                                       0, 0, 0) < 0);
            QVERIFY(t.SetSubtileFilter(0, m_clip.toUtf8().constData(), (m_dir + "/").toUtf8().constData(), 0,
                                       "", 0, 0, 0, 0, 0, 0) < 0);
            QVERIFY(!t.filterSnapshot().subtitle);
            QVERIFY(t.SetSubtileFilter(0, srt.toUtf8().constData(), (m_dir + "/").toUtf8().constData(), 0, "",
                                       0, 0, 0, 0, 0, 0) > 0);
            QVERIFY(t.filterSnapshot().subtitle);
        }
        for (int custom = 0; custom < 2; ++custom) {
            const QString out = convert([&](FilterSettings &f) {
                f.subtitle = true;
                f.subtitleFile = srt.toStdString();
                f.subtitleWorkDir = (m_dir + "/").toStdString();
                f.subtitleCustomStyle = custom != 0;
                f.subtitleFontName = "DejaVu Sans";
                f.subtitleFontSize = 28;
                f.subtitleColor = 0x0000FFFF; // yellow, opaque
                f.subtitleHorSpace = 10;
                f.subtitleVerSpace = 20;
            });
            QVERIFY(!out.isEmpty());
            QVERIFY(meanDiff(frameAt(m_clip, 0.5), frameAt(out, 0.5)) < 0.5);
            const QRect bottom(0, 160, 320, 80);
            QVERIFY(meanDiff(frameAt(m_clip, 1.5), frameAt(out, 1.5), bottom) > 2.0);
            QVERIFY(meanDiff(frameAt(m_clip, 1.5), frameAt(out, 1.5), QRect(0, 0, 320, 100)) < 0.5);
        }
    }

    void imageWatermarkChangesOnlyItsRectangle()
    {
        const QString dir = m_dir + "/wm: a, b's [c]";
        QVERIFY(QDir().mkpath(dir));
        const QString png = dir + "/mark.png";
        QImage mark(80, 60, QImage::Format_RGB32);
        mark.fill(QColor(255, 0, 0));
        QVERIFY(mark.save(png));
        const QString out = convert([&](FilterSettings &f) {
            f.imageWatermark = true;
            f.imageWatermarkFile = png.toStdString();
            f.imageWatermarkWidth = 40;
            f.imageWatermarkHeight = 30;
            f.imageWatermarkX = 100;
            f.imageWatermarkY = 80;
        });
        QVERIFY(!out.isEmpty());
        const QImage src = frameAt(m_clip, 1.0), dst = frameAt(out, 1.0);
        const QRgb inside = dst.pixel(120, 95);
        QVERIFY(qRed(inside) > 200 && qGreen(inside) < 60 && qBlue(inside) < 60);
        QVERIFY(meanDiff(src, dst, QRect(0, 0, 320, 78)) < 0.5);
        QVERIFY(meanDiff(src, dst, QRect(0, 112, 320, 128)) < 0.5);
        QVERIFY(meanDiff(src, dst, QRect(142, 80, 178, 30)) < 0.5);
        // A missing image fails the job clearly.
        const TranscodeJob missing = losslessJob(
            [](FilterSettings &f) {
                f.imageWatermark = true;
                f.imageWatermarkFile = "/no/such/image.png";
                f.imageWatermarkWidth = 40;
                f.imageWatermarkHeight = 30;
            },
            {}, m_dir + "/nowm.mkv");
        const TranscodeResult result = Transcoder::run(missing);
        QCOMPARE(int(result.status), int(TRANSCODE_FAILED));
        QVERIFY(QString::fromStdString(result.reason).contains("image"));
        QVERIFY(!QFile::exists(m_dir + "/nowm.mkv"));
    }

    void textWatermarkFallsBackToAnInstalledFont()
    {
        const QString out = convert([](FilterSettings &f) {
            f.textWatermark = true;
            f.textWatermarkText = "Hi: it's, [me] \\ %{pts}";
            f.textWatermarkFontFile = "C:/windows/fonts/simsun.ttc";
            f.textWatermarkFontSize = 24;
            f.textWatermarkColor = -1;
            f.textWatermarkX = f.textWatermarkY = 10;
        });
        QVERIFY(!out.isEmpty());
        const QImage src = frameAt(m_clip, 1.0), dst = frameAt(out, 1.0);
        QVERIFY(meanDiff(src, dst, QRect(10, 10, 150, 25)) > 3.0);
        QVERIFY(meanDiff(src, dst, QRect(0, 60, 320, 180)) < 0.5);
    }

    // Whether the scaler uses its gather-based filters is settled by timing
    // them on the machine at hand, so both choices must give the same
    // pictures, downscaling and upscaling alike.
    void scalerPicturesDoNotDependOnItsChoiceOfFilters()
    {
        av::tuneScalerForCpu();
        const int tuned = av_get_cpu_flags();
        for (auto [sw, sh, dw, dh] : {std::tuple{1920, 1080, 640, 480}, {720, 576, 1280, 720}}) {
            const QByteArray with = scaledPattern(tuned & ~AV_CPU_FLAG_SLOW_GATHER, sw, sh, dw, dh);
            const QByteArray without = scaledPattern(tuned | AV_CPU_FLAG_SLOW_GATHER, sw, sh, dw, dh);
            av_force_cpu_flags(tuned);
            QVERIFY(!with.isEmpty());
            QVERIFY2(with == without, qPrintable(QString("%1x%2 to %3x%4").arg(sw).arg(sh).arg(dw).arg(dh)));
        }
    }

private:
    static std::string FontLookup_default();
};

#include "engine/av/fontlookup.h"
std::string TestFilters::FontLookup_default()
{
    return FontLookup::defaultFontFile();
}

QTEST_GUILESS_MAIN(TestFilters)
#include "tst_filters.moc"
