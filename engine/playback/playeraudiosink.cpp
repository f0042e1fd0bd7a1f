#include "engine/playback/playeraudiosink.h"

#include "engine/av/enginelog.h"
#include "engine/playback/playeraudiooutput.h"

#include <QDebug>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace playback {

namespace {
// Sound this far ahead of the clock waits; this far behind it is skipped.
constexpr double kEarlyMs = 30.0;
constexpr double kLateMs = 200.0;
// The clock is corrected when it drifts this far from the sound.
constexpr double kDriftMs = 40.0;
} // namespace

PlayerAudioSink::~PlayerAudioSink()
{
    detach();
}

bool PlayerAudioSink::attach(FrameQueue &frames, bool withPictures)
{
    std::string error;
    if (!m_device.ensureOpen(&error)) {
        qCDebug(lcPlayer, "player: %s; the picture runs on the system clock", error.c_str());
        return false;
    }
    m_frames = &frames;
    m_withPictures = withPictures;
    m_rate = m_device.sampleRate();
    m_channels = m_device.channels();
    m_device.attach(this, [this](uint8_t *b, int n) { fill(b, n); });
    m_attached = true;
    return true;
}

void PlayerAudioSink::detach()
{
    if (m_attached.exchange(false))
        m_device.detach(this);
}

void PlayerAudioSink::setPaused(bool paused)
{
    if (m_attached)
        m_device.setPaused(this, paused);
}

void PlayerAudioSink::setVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 128);
}

bool PlayerAudioSink::soundLeft() const
{
    return m_attached && (m_frames->size() > 0 || m_pending);
}

void PlayerAudioSink::fill(uint8_t *buffer, int bytes)
{
    std::memset(buffer, 0, size_t(bytes));
    const int volume = m_muted ? 0 : m_volume.load();
    const int current = m_state.serial;
    const int bytesPerSecond = m_rate * m_channels * 2;
    double playedMs = -1.0;
    int written = 0;
    while (written < bytes && m_state.status == PLAY_STATUS_PLAYING) {
        if (m_current.serial != current)
            m_current.samples.clear();
        if (m_offset >= m_current.samples.size() && !takeNext(current))
            break;
        if (playedMs < 0.0 && bytesPerSecond > 0)
            playedMs = m_current.ptsMs + 1000.0 * double(m_offset) / bytesPerSecond;
        const int n = int(std::min<size_t>(size_t(bytes - written), m_current.samples.size() - m_offset));
        if (volume > 0)
            SDL_MixAudioFormat(buffer + written, m_current.samples.data() + m_offset, AUDIO_S16SYS, Uint32(n),
                               volume);
        written += n;
        m_offset += size_t(n);
    }
    m_pending = m_offset < m_current.samples.size();
    followClock(playedMs, current);
}

bool PlayerAudioSink::takeNext(int current)
{
    for (;;) {
        int serial = 0;
        double pts = 0.0, duration = 0.0;
        if (!m_frames->front(serial, pts, duration))
            return false;
        DecodedFrame dropped;
        if (serial != current) {
            m_frames->pop(dropped);
            continue;
        }
        if (m_state.anchorSerial != serial) {
            // The first picture sets the clock; without pictures the sound does.
            if (m_withPictures)
                return false;
            m_state.clock.set(pts, serial);
            m_state.anchorSerial = serial;
            if (!m_state.seekRequested)
                m_state.positionPending = false;
        } else if (m_withPictures && m_startedSerial != serial) {
            // Sound that starts later than the pictures waits for the clock;
            // sound long behind it is skipped.
            const double now = m_state.clock.get();
            if (pts > now + kEarlyMs)
                return false;
            if (pts + duration < now - kLateMs) {
                m_frames->pop(dropped);
                continue;
            }
        }
        m_frames->pop(m_current);
        m_offset = 0;
        m_startedSerial = serial;
        return true;
    }
}

void PlayerAudioSink::followClock(double playedMs, int serial)
{
    // Drivers that only pretend to play run slow on a busy machine: the
    // clock keeps to the system clock with them.
    if (playedMs >= 0.0 && m_device.pacesRealTime())
        m_state.clock.follow(playedMs, serial, kDriftMs);
}

} // namespace playback
