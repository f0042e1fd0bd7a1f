#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

namespace playback {

// The picture's place in a window: as large as fits with its aspect ratio
// kept, centred, the rest left black (letterbox or pillarbox).
QRect fitRect(const QSize &window, double aspect);

// The window edge of the player.  The presenter thread publishes finished
// pictures (reference-counted, never changed after publishing); a queued
// call on the GUI thread asks the current window to repaint, and the
// window's paintEvent draws the latest picture through paint().
class VideoOutput {
public:
    // The window that pictures go to; read on every repaint request.
    using WindowId = std::function<int64_t()>;
    explicit VideoOutput(WindowId currentWindow) : m_currentWindow(std::move(currentWindow)) {}

    // Only pictures from the current source are taken (a playback that is
    // being shut down may still finish one).  GUI thread.
    void setSource(const void *source);
    // Any thread.
    void publish(const void *source, const QImage &picture, double aspect);
    void clear();

    // The size pictures are scaled for: the window's own size once it has
    // been painted, else the size given by setInitSize.
    QSize targetSize() const;
    void setInitSize(const QSize &size);

    // GUI thread.  Draws the latest picture into the widget of window id,
    // from inside its paintEvent; false when there is nothing to draw.
    // stale is set when the picture was made for another window size.
    bool paint(int64_t id, bool *stale = nullptr);
    // GUI thread.  Learns the size of window id (when it is a widget).
    void noteWindow(int64_t id);

private:
    void requestRepaint();

    WindowId m_currentWindow;
    mutable std::mutex m_mutex;
    QImage m_picture;
    double m_aspect = 0.0;
    const void *m_source = nullptr;
    QSize m_initSize;
    QSize m_windowSize;
    std::atomic<bool> m_repaintPending{false};
    // The queued repaint calls run in this object's name: a call still
    // queued when the output goes away is dropped with it.
    QObject m_callContext;
};

} // namespace playback
