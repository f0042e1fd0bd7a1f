#include "engine/playback/playerpicture.h"

#include "engine/av/enginelog.h"
#include "engine/av/scalercpu.h"
#include "engine/playback/playervideooutput.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cmath>
#include <utility>

namespace playback {

namespace {
double displayAspect(const AVFrame *f)
{
    if (!f || f->width <= 0 || f->height <= 0)
        return 0.0;
    const double sar = f->sample_aspect_ratio.num > 0 && f->sample_aspect_ratio.den > 0
                           ? av_q2d(f->sample_aspect_ratio)
                           : 1.0;
    return f->width * sar / f->height;
}

// An RGB copy of a picture at size, or a null image.
QImage toImage(const AVFrame *f, const QSize &size, SwsPtr &scaler, int flags)
{
    if (!f || size.isEmpty())
        return QImage();
    av::tuneScalerForCpu();
    SwsContext *ctx =
        sws_getCachedContext(scaler.release(), f->width, f->height, AVPixelFormat(f->format), size.width(),
                             size.height(), AV_PIX_FMT_BGRA, flags, nullptr, nullptr, nullptr);
    scaler.reset(ctx);
    if (!ctx)
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return QImage();
    uint8_t *dst[4] = {image.bits(), nullptr, nullptr, nullptr};
    int lines[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(ctx, f->data, f->linesize, 0, f->height, dst, lines);
    return image;
}
} // namespace

void PlayerPicture::show(DecodedFrame &frame)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_shown = std::move(frame.picture);
        m_ptsMs = frame.ptsMs;
        m_durationMs = frame.durationMs;
        m_haveShown = true;
    }
    render();
}

void PlayerPicture::render()
{
    // Only this thread changes m_shown, so it can be read without the lock.
    if (!m_shown)
        return;
    uint64_t generation = 0;
    const FilterSettings settings = m_filters.snapshot(&generation);
    FramePtr filtered =
        m_filter.apply(m_shown.get(), settings, generation, m_stream.timeBase, m_stream.frameRate);
    if (!filtered) {
        if (!std::exchange(m_filterWarned, true))
            qCWarning(lcPlayer, "player: %s; showing the picture unfiltered", m_filter.error().c_str());
        filtered = refFrame(m_shown.get());
        if (!filtered)
            return;
    }
    const double aspect = displayAspect(filtered.get());
    QSize window = m_output.targetSize();
    if (window.isEmpty())
        window = QSize(filtered->width, filtered->height);
    const QImage image = toImage(filtered.get(), fitRect(window, aspect).size(), m_scaler, SWS_BILINEAR);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_filtered = std::move(filtered);
    }
    if (!image.isNull())
        m_output.publish(m_source, image, aspect);
}

double PlayerPicture::shownPtsMs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_haveShown ? m_ptsMs : std::nan("");
}

double PlayerPicture::shownEndMs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_haveShown ? m_ptsMs + m_durationMs : -1.0;
}

double PlayerPicture::aspect() const
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_filtered)
            return displayAspect(m_filtered.get());
    }
    return streamAspect();
}

double PlayerPicture::streamAspect() const
{
    if (m_stream.width <= 0 || m_stream.height <= 0)
        return 0.0;
    // The preview's zoom keeps the picture's shape: only the crop changes it.
    const FilterSettings f = m_filters.snapshot();
    const AVRational sarQ = m_stream.sampleAspect;
    const double sar = sarQ.num > 0 && sarQ.den > 0 ? av_q2d(sarQ) : 1.0;
    if (f.crop && f.cropWidth > 0 && f.cropHeight > 0)
        return f.cropWidth * sar / f.cropHeight;
    return m_stream.width * sar / m_stream.height;
}

bool PlayerPicture::snapshot(const std::string &path, int type, std::string *error) const
{
    FramePtr source;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        source = refFrame(m_shown.get());
    }
    if (!source) {
        if (error)
            *error = "no picture on screen";
        return false;
    }
    SwsPtr scaler;
    const QImage image = toImage(source.get(), QSize(source->width, source->height), scaler, SWS_BICUBIC);
    if (image.isNull()) {
        if (error)
            *error = "cannot convert the picture";
        return false;
    }
    // The snapshot folder may not exist yet (a fresh home has no documents folder).
    const QString file = QString::fromLocal8Bit(path.c_str());
    QDir().mkpath(QFileInfo(file).absolutePath());
    const bool ok = image.save(file, type == 1 ? "BMP" : "JPG", 95);
    if (!ok && error)
        *error = "cannot write " + path;
    return ok;
}

} // namespace playback
