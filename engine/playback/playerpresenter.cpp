// The presenter thread: shows each picture when the clock reaches it,
// anchors the clock after a start or seek and notices the end of the section.
#include "engine/playback/playersession.h"

#include "engine/playback/playervideooutput.h"

#include <QDebug>

extern "C" {
#include <libavutil/imgutils.h>
}

#include <cmath>
#include <utility>

namespace playback {

namespace {
constexpr auto kIdleWait = std::chrono::milliseconds(10);

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

void PlayerSession::presentLoop()
{
    while (!m_abort) {
        if (m_refreshPending.exchange(false))
            render();
        const int status = m_status;
        const int current = m_videoPackets.serial();

        // Nothing to show: anchor the clock when no picture will, and watch for the end.
        int serial = 0;
        double pts = 0.0, duration = 0.0;
        const bool haveFrame = m_videoStream >= 0 && m_videoFrames.front(serial, pts, duration);
        if (!haveFrame) {
            if (m_anchorSerial != current && !m_seekRequested) {
                // Pictures set the clock; the sound does when there is no picture;
                // when neither will come, the clock starts at the target.
                const bool pictureWillCome = m_videoStream >= 0 && m_videoDrainedSerial != current;
                const bool soundWillCome = m_videoStream < 0 && m_audioAttached &&
                                           (m_audioDrainedSerial != current || m_audioFrames.size() > 0);
                if (!pictureWillCome && !soundWillCome) {
                    m_clock.set(m_targetSerial == current ? m_targetMs.load() : double(m_sectionStart));
                    m_anchorSerial = current;
                    m_positionPending = false;
                    m_stepPending = false;
                }
            }
            if (status == 1 && endReached())
                markFinished();
            std::unique_lock<std::mutex> lock(m_presentMutex);
            m_presentCond.wait_for(lock, kIdleWait);
            continue;
        }
        if (serial != current) {
            DecodedFrame stale;
            m_videoFrames.pop(stale);
            continue;
        }
        if (m_anchorSerial != serial) {
            // First picture after a start or a seek: it sets the clock and shows at once,
            // also while paused.
            DecodedFrame f;
            m_videoFrames.pop(f);
            m_clock.set(f.ptsMs);
            m_anchorSerial = serial;
            if (!m_seekRequested)
                m_positionPending = false;
            m_stepPending = false;
            showFrame(f);
            continue;
        }
        if (status != 1) {
            std::unique_lock<std::mutex> lock(m_presentMutex);
            m_presentCond.wait_for(lock, kIdleWait);
            continue;
        }
        const double now = m_clock.get();
        const double wait = pts - now;
        if (wait > 1.0) {
            std::unique_lock<std::mutex> lock(m_presentMutex);
            m_presentCond.wait_for(lock, std::chrono::microseconds(int64_t(std::min(wait, 10.0) * 1000)));
            continue;
        }
        // Late by more than a frame with the next one due too: skip this one.
        int nextSerial = 0;
        double nextPts = 0.0;
        DecodedFrame f;
        m_videoFrames.pop(f);
        if (now - pts > duration && m_videoFrames.second(nextSerial, nextPts) && nextSerial == serial &&
            nextPts <= now) {
            ++m_dropped;
            continue;
        }
        showFrame(f);
    }
}

bool PlayerSession::endReached()
{
    const int current = m_videoPackets.serial();
    if (m_eofSerial != current || m_seekRequested)
        return false;
    if (m_videoStream >= 0 && (m_videoDrainedSerial != current || m_videoFrames.size() > 0))
        return false;
    if (m_audioStream >= 0 && m_audioDrainedSerial != current)
        return false;
    if (m_audioAttached && (m_audioFrames.size() > 0 || m_audioPending))
        return false;
    double last = -1.0;
    {
        std::lock_guard<std::mutex> lock(m_shownMutex);
        if (m_haveShown)
            last = m_shownPts + m_shownDuration;
    }
    if (m_videoStream < 0 && !m_audioAttached) {
        const int64_t end = m_sectionEnd;
        last = end >= 0 ? double(end) : m_durationMs;
    }
    return m_clock.get() >= last;
}

void PlayerSession::showFrame(DecodedFrame &frame)
{
    {
        std::lock_guard<std::mutex> lock(m_shownMutex);
        m_shownSource = std::move(frame.picture);
        m_shownPts = frame.ptsMs;
        m_shownDuration = frame.durationMs;
        m_haveShown = true;
    }
    ++m_shown;
    render();
}

void PlayerSession::render()
{
    // Only this thread changes m_shownSource, so it can be read without the lock.
    if (!m_shownSource)
        return;
    uint64_t generation = 0;
    const FilterSettings settings = m_filters.filterSnapshot(&generation);
    AVStream *st = m_format->streams[m_videoStream];
    FramePtr filtered = m_filter.apply(m_shownSource.get(), settings, generation, st->time_base,
                                       av_guess_frame_rate(m_format.get(), st, nullptr));
    if (!filtered) {
        if (!std::exchange(m_filterWarned, true))
            qWarning("player: %s; showing the picture unfiltered", m_filter.error().c_str());
        filtered = refFrame(m_shownSource.get());
        if (!filtered)
            return;
    }
    const double aspect = displayAspect(filtered.get());
    QSize window = m_output.targetSize();
    if (window.isEmpty())
        window = QSize(filtered->width, filtered->height);
    const QRect rect = fitRect(window, aspect);
    const QImage image = toImage(filtered.get(), rect.size(), m_scaler, SWS_BILINEAR);
    {
        std::lock_guard<std::mutex> lock(m_shownMutex);
        m_shownFiltered = std::move(filtered);
    }
    if (!image.isNull())
        m_output.publish(this, image, aspect);
}

void PlayerSession::refresh()
{
    m_refreshPending = true;
    m_presentCond.notify_all();
}

double PlayerSession::shownPtsMs() const
{
    std::lock_guard<std::mutex> lock(m_shownMutex);
    return m_haveShown ? m_shownPts : std::nan("");
}

double PlayerSession::pictureAspect() const
{
    {
        std::lock_guard<std::mutex> lock(m_shownMutex);
        if (m_shownFiltered)
            return displayAspect(m_shownFiltered.get());
    }
    if (m_videoStream < 0)
        return 0.0;
    const FilterSettings f = m_filters.filterSnapshot();
    if (f.zoomMode >= 0 && f.zoomWidth > 0 && f.zoomHeight > 0)
        return double(f.zoomWidth) / f.zoomHeight;
    const AVCodecParameters *par = m_format->streams[m_videoStream]->codecpar;
    const AVRational sarQ =
        av_guess_sample_aspect_ratio(m_format.get(), m_format->streams[m_videoStream], nullptr);
    const double sar = sarQ.num > 0 && sarQ.den > 0 ? av_q2d(sarQ) : 1.0;
    if (f.crop && f.cropWidth > 0 && f.cropHeight > 0)
        return f.cropWidth * sar / f.cropHeight;
    return par->height > 0 ? par->width * sar / par->height : 0.0;
}

bool PlayerSession::snapshot(const std::string &path, int type, std::string *error) const
{
    FramePtr source;
    {
        std::lock_guard<std::mutex> lock(m_shownMutex);
        source = refFrame(m_shownSource.get());
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
    const bool ok = image.save(QString::fromLocal8Bit(path.c_str()), type == 1 ? "BMP" : "JPG", 95);
    if (!ok && error)
        *error = "cannot write " + path;
    return ok;
}

} // namespace playback
