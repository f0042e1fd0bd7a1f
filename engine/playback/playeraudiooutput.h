#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace playback {

// The sound device (SDL2).  The device pulls interleaved signed 16-bit
// samples through the fill function on its own thread.  Opening fails
// cleanly when there is no device; playback then runs on the system clock.
// The device stays open from one file to the next (closing it takes longer
// than a frame); each playback attaches its fill function while it runs.
class AudioOutput {
public:
    using Fill = std::function<void(uint8_t *buffer, int bytes)>;

    AudioOutput() = default;
    ~AudioOutput();
    AudioOutput(const AudioOutput &) = delete;
    AudioOutput &operator=(const AudioOutput &) = delete;

    // Opens the device once (48 kHz stereo, or what the device offers).
    bool ensureOpen(std::string *error);
    void close();
    // Routes the device to owner's fill, or to silence when fill is empty;
    // returns after a running callback has finished, so the old fill is no
    // longer used.
    void attach(const void *owner, Fill fill);
    // Pauses the device and routes it to silence when owner is attached.
    void detach(const void *owner);
    // False for drivers that only pretend to play (dummy, disk): they run
    // slower than real time when the machine is busy, so the picture must
    // not follow them.
    bool pacesRealTime() const { return m_pacesRealTime; }
    // Only the attached owner pauses and resumes the device.
    void setPaused(const void *owner, bool paused);

    int sampleRate() const { return m_sampleRate; }
    int channels() const { return m_channels; }

private:
    static void callback(void *self, uint8_t *stream, int len);
    bool tryOpen(std::string *error);
    uint32_t m_device = 0;
    bool m_subsystemUp = false;
    Fill m_fill;
    std::mutex m_ownerMutex;
    const void *m_owner = nullptr;
    int m_sampleRate = 0;
    int m_channels = 0;
    bool m_pacesRealTime = false;
    std::optional<std::chrono::steady_clock::time_point> m_lastFailure;
    std::string m_lastError;
};

} // namespace playback
