#include "engine/playback/playervideooutput.h"

#include "engine/playback/videowindowhost.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>

namespace playback {

namespace {
std::atomic<VideoWindowHost *> g_host{nullptr};
} // namespace

void setVideoWindowHost(VideoWindowHost *host)
{
    g_host.store(host);
}

VideoWindowHost *videoWindowHost()
{
    return g_host.load();
}

QRect fitRect(const QSize &window, double aspect)
{
    const int ww = window.width();
    const int wh = window.height();
    if (ww <= 0 || wh <= 0)
        return QRect();
    if (!(aspect > 0.0))
        return QRect(0, 0, ww, wh);
    int w = ww;
    int h = int(std::lround(ww / aspect));
    if (h > wh) {
        h = wh;
        w = int(std::lround(wh * aspect));
    }
    w = std::max(1, std::min(w, ww));
    h = std::max(1, std::min(h, wh));
    return QRect((ww - w) / 2, (wh - h) / 2, w, h);
}

void VideoOutput::setSource(const void *source)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_source = source;
}

void VideoOutput::publish(const void *source, const QImage &picture, double aspect)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (source != m_source)
            return;
        m_picture = picture;
        m_aspect = aspect;
    }
    requestRepaint();
}

void VideoOutput::clear()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_picture = QImage();
        m_aspect = 0.0;
    }
    requestRepaint();
}

QSize VideoOutput::targetSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_windowSize.isValid() && !m_windowSize.isEmpty())
        return m_windowSize;
    return m_initSize;
}

void VideoOutput::setInitSize(const QSize &size)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_initSize = size;
    m_windowSize = QSize();
}

void VideoOutput::noteWindow(int64_t id)
{
    VideoWindowHost *host = videoWindowHost();
    QSize size;
    double ratio = 1.0;
    if (!id || !host || !host->windowSize(id, &size, &ratio))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_windowSize = size * ratio;
}

bool VideoOutput::paint(int64_t id, bool *stale)
{
    VideoWindowHost *host = videoWindowHost();
    QSize size;
    double ratio = 1.0;
    if (!id || !host || !host->windowSize(id, &size, &ratio))
        return false;
    noteWindow(id);
    QImage picture;
    double aspect = 0.0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        picture = m_picture;
        aspect = m_aspect;
    }
    if (picture.isNull())
        return false;
    const QRect target = fitRect(size, aspect);
    if (target.isEmpty())
        return false;
    if (stale)
        *stale = picture.size() != fitRect(size * ratio, aspect).size();
    // Outside its paint event a window cannot be painted on; the picture is
    // there and the repaint that follows every new picture will draw it.
    QPaintDevice *device = host->paintDevice(id);
    if (!device)
        return true;
    QPainter painter(device);
    if (picture.size() != target.size())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    return true;
}

void VideoOutput::requestRepaint()
{
    if (!QCoreApplication::instance() || m_repaintPending.exchange(true))
        return;
    QMetaObject::invokeMethod(
        &m_callContext,
        [this] {
            m_repaintPending = false;
            const int64_t id = m_currentWindow();
            if (VideoWindowHost *host = videoWindowHost(); host && id)
                host->requestRepaint(id);
        },
        Qt::QueuedConnection);
}

} // namespace playback
