#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace playback {

// The sound device (SDL2).  The device pulls interleaved signed 16-bit
// samples through the fill function on its own thread.  Opening fails
// cleanly when there is no device; playback then runs on the system clock.
class AudioOutput {
public:
    using Fill = std::function<void(uint8_t *buffer, int bytes)>;

    AudioOutput() = default;
    ~AudioOutput();
    AudioOutput(const AudioOutput &) = delete;
    AudioOutput &operator=(const AudioOutput &) = delete;

    bool open(int sampleRate, int channels, Fill fill, std::string *error);
    void close();
    bool isOpen() const { return m_device != 0; }
    void setPaused(bool paused);

    int sampleRate() const { return m_sampleRate; }
    int channels() const { return m_channels; }
    int bytesPerSecond() const { return m_sampleRate * m_channels * 2; }
    // Bytes held by the device beyond what the fill function has handed out.
    int bufferBytes() const { return m_bufferBytes; }

private:
    static void callback(void *self, uint8_t *stream, int len);
    uint32_t m_device = 0;
    bool m_subsystemUp = false;
    Fill m_fill;
    int m_sampleRate = 0;
    int m_channels = 0;
    int m_bufferBytes = 0;
};

} // namespace playback
