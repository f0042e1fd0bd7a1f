#pragma once

#include <mutex>

namespace playback {

// A media clock: a time in milliseconds that runs with the system clock
// unless paused.  The audio output corrects it as samples are played, so it
// follows the sound when there is a device and the system clock otherwise.
class PlayerClock {
public:
    void set(double ms);
    double get() const;
    void setPaused(bool paused);

private:
    static double nowMs();
    mutable std::mutex m_mutex;
    double m_base = 0.0;
    double m_updated = 0.0;
    bool m_paused = true;
};

} // namespace playback
