#include "engine/playback/playeraudiooutput.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace playback {

AudioOutput::~AudioOutput()
{
    close();
}

bool AudioOutput::ensureOpen(std::string *error)
{
    if (m_device)
        return true;
    // Without a device each try costs time on the caller's thread: try again
    // only now and then, in case one has appeared.
    const auto now = std::chrono::steady_clock::now();
    if (m_lastFailure && now - *m_lastFailure < std::chrono::seconds(30)) {
        if (error)
            *error = m_lastError;
        return false;
    }
    const bool ok = tryOpen(error);
    if (ok) {
        m_lastFailure.reset();
    } else {
        m_lastFailure = now;
        m_lastError = error ? *error : std::string();
    }
    return ok;
}

bool AudioOutput::tryOpen(std::string *error)
{
    const int sampleRate = 48000;
    const int channels = 2;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (error)
            *error = std::string("no audio driver: ") + SDL_GetError();
        return false;
    }
    m_subsystemUp = true;

    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Uint8(std::clamp(channels, 1, 2));
    // About 20 ms per callback keeps the clock fine-grained.
    int samples = 512;
    while (samples < sampleRate / 50)
        samples *= 2;
    wanted.samples = Uint16(samples);
    wanted.callback = &AudioOutput::callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (m_device == 0) {
        if (error)
            *error = std::string("no audio device: ") + SDL_GetError();
        close();
        return false;
    }
    const char *driver = SDL_GetCurrentAudioDriver();
    const std::string name = driver ? driver : "";
    m_pacesRealTime = name != "dummy" && name != "disk";
    m_sampleRate = obtained.freq;
    m_channels = obtained.channels;
    return true;
}

void AudioOutput::close()
{
    if (m_device) {
        // Waits for a running callback to return.
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
    if (m_subsystemUp) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystemUp = false;
    }
    m_fill = nullptr;
}

void AudioOutput::attach(const void *owner, Fill fill)
{
    std::lock_guard<std::mutex> lock(m_ownerMutex);
    m_owner = owner;
    if (!m_device) {
        m_fill = std::move(fill);
        return;
    }
    SDL_LockAudioDevice(m_device);
    m_fill = std::move(fill);
    SDL_UnlockAudioDevice(m_device);
}

void AudioOutput::detach(const void *owner)
{
    std::lock_guard<std::mutex> lock(m_ownerMutex);
    if (owner != m_owner)
        return;
    m_owner = nullptr;
    if (!m_device) {
        m_fill = nullptr;
        return;
    }
    SDL_PauseAudioDevice(m_device, 1);
    SDL_LockAudioDevice(m_device);
    m_fill = nullptr;
    SDL_UnlockAudioDevice(m_device);
}

void AudioOutput::setPaused(const void *owner, bool paused)
{
    std::lock_guard<std::mutex> lock(m_ownerMutex);
    if (m_device && owner == m_owner)
        SDL_PauseAudioDevice(m_device, paused ? 1 : 0);
}

void AudioOutput::callback(void *self, uint8_t *stream, int len)
{
    auto *out = static_cast<AudioOutput *>(self);
    if (out->m_fill)
        out->m_fill(stream, len);
    else
        std::memset(stream, 0, size_t(len));
}

} // namespace playback
