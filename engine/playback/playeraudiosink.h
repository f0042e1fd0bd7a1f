#pragma once

#include "engine/playback/playbackstate.h"
#include "engine/playback/playerframequeue.h"

#include <atomic>
#include <cstddef>

namespace playback {

class AudioOutput;

// Plays the sound lane's samples through the sound device.  The device's
// callback takes them in order and at the volume asked for; while pictures
// are shown, the first picture sets the clock and the sound joins it, and
// once sound plays the clock follows it.  Without pictures the sound sets
// the clock.  Without a device nothing is attached.
class PlayerAudioSink {
public:
    PlayerAudioSink(PlaybackState &state, AudioOutput &device) : m_state(state), m_device(device) {}
    ~PlayerAudioSink();
    PlayerAudioSink(const PlayerAudioSink &) = delete;
    PlayerAudioSink &operator=(const PlayerAudioSink &) = delete;

    // Opens the device when needed and routes it here; false when there is
    // no device.  Called once, before the threads start.
    bool attach(FrameQueue &frames, bool withPictures);
    // Silences the device; returns once a running callback has finished.
    void detach();
    bool attached() const { return m_attached; }
    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }

    void setPaused(bool paused);
    void setVolume(int volume); // 0..128
    void setMuted(bool muted) { m_muted = muted; }
    // Samples not yet handed to the device, queued or held by the callback.
    bool soundLeft() const;

private:
    void fill(uint8_t *buffer, int bytes);
    // Makes the next frame of serial current; false when none may play yet.
    bool takeNext(int serial);
    void followClock(double playedMs, int serial);

    PlaybackState &m_state;
    AudioOutput &m_device;
    FrameQueue *m_frames = nullptr;
    bool m_withPictures = false;
    std::atomic<bool> m_attached{false};
    int m_rate = 0;
    int m_channels = 0;
    std::atomic<int> m_volume{128};
    std::atomic<bool> m_muted{false};

    // The callback's own.
    DecodedFrame m_current; // the frame being played
    size_t m_offset = 0;
    int m_startedSerial = -1; // the serial whose sound has begun to play
    std::atomic<bool> m_pending{false};
};

} // namespace playback
