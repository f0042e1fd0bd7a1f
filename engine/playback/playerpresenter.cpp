#include "engine/playback/playerpresenter.h"

#include "engine/playback/audiolane.h"
#include "engine/playback/playeraudiosink.h"
#include "engine/playback/videolane.h"

#include <algorithm>
#include <chrono>

namespace playback {

namespace {
constexpr auto kIdleWait = std::chrono::milliseconds(10);
} // namespace

void PlayerPresenter::setVideo(VideoLane *lane, const VideoStreamInfo &stream)
{
    m_video = lane;
    m_picture.setStream(stream);
}

void PlayerPresenter::setSound(AudioLane *lane, const PlayerAudioSink *sink)
{
    m_audio = lane;
    m_sink = sink;
}

void PlayerPresenter::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

void PlayerPresenter::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void PlayerPresenter::refresh()
{
    m_refreshPending = true;
    m_state.wakePresenter();
}

void PlayerPresenter::run()
{
    while (!m_state.abort) {
        if (m_refreshPending.exchange(false))
            m_picture.render();
        const int current = m_state.serial;
        int serial = 0;
        double pts = 0.0, duration = 0.0;
        if (!m_video || !m_video->frames().front(serial, pts, duration)) {
            idle(current);
        } else if (serial != current) {
            DecodedFrame stale;
            m_video->frames().pop(stale);
        } else if (m_state.anchorSerial != serial) {
            showFirst(serial);
        } else if (m_state.status != PLAY_STATUS_PLAYING) {
            m_state.waitForPresenterWork(kIdleWait);
        } else {
            showOrSkip(serial, pts, duration);
        }
    }
}

// Nothing to show: set the clock when no picture will, and watch for the end.
void PlayerPresenter::idle(int serial)
{
    if (m_state.anchorSerial != serial && !m_state.seekRequested && !pictureWillCome(serial) &&
        !soundWillCome(serial)) {
        // Neither will come: the clock starts at the target.
        const double startMs =
            m_state.targetSerial == serial ? m_state.targetMs.load() : double(m_state.sectionStart);
        m_state.clock.set(startMs, serial);
        m_state.anchorSerial = serial;
        m_state.positionPending = false;
    }
    if (m_state.status == PLAY_STATUS_PLAYING && endReached() && m_finished)
        m_finished();
    m_state.waitForPresenterWork(kIdleWait);
}

// The first picture after a start or a seek sets the clock and shows at
// once, also while paused.
void PlayerPresenter::showFirst(int serial)
{
    DecodedFrame f;
    if (!m_video->frames().pop(f))
        return;
    m_state.clock.set(f.ptsMs, serial);
    m_state.anchorSerial = serial;
    if (!m_state.seekRequested)
        m_state.positionPending = false;
    show(f);
}

void PlayerPresenter::showOrSkip(int serial, double ptsMs, double durationMs)
{
    const double now = m_state.clock.get();
    const double wait = ptsMs - now;
    if (wait > 1.0) {
        m_state.waitForPresenterWork(std::chrono::microseconds(int64_t(std::min(wait, 10.0) * 1000)));
        return;
    }
    DecodedFrame f;
    if (!m_video->frames().pop(f))
        return;
    // Late by more than its duration with the next one due too: skip it.
    int nextSerial = 0;
    double nextPts = 0.0;
    if (now - ptsMs > durationMs && m_video->frames().second(nextSerial, nextPts) && nextSerial == serial &&
        nextPts <= now) {
        ++m_dropped;
        return;
    }
    show(f);
}

void PlayerPresenter::show(DecodedFrame &frame)
{
    ++m_shown;
    m_picture.show(frame);
}

bool PlayerPresenter::pictureWillCome(int serial) const
{
    return m_video && m_video->drainedSerial() != serial;
}

// Without pictures the sound sets the clock, when a device plays it.
bool PlayerPresenter::soundWillCome(int serial) const
{
    return !m_video && m_sink && (m_audio->drainedSerial() != serial || m_audio->frames().size() > 0);
}

bool PlayerPresenter::endReached() const
{
    const int serial = m_state.serial;
    if (m_state.eofSerial != serial || m_state.seekRequested)
        return false;
    if (m_video && (m_video->drainedSerial() != serial || m_video->frames().size() > 0))
        return false;
    if (m_audio && m_audio->drainedSerial() != serial)
        return false;
    if (m_sink && m_sink->soundLeft())
        return false;
    double last = m_picture.shownEndMs();
    if (!m_video && !m_sink) {
        const int64_t end = m_state.sectionEnd;
        last = end >= 0 ? double(end) : m_state.durationMs;
    }
    return m_state.clock.get() >= last;
}

} // namespace playback
