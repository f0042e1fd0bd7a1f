#pragma once

#include <mutex>

namespace playback {

// A media clock: a time in milliseconds that runs with the system clock
// unless paused.  The audio output corrects it as samples are played, so it
// follows the sound when there is a device and the system clock otherwise.
//
// Each start or seek begins a run with a serial of its own; the clock knows
// the run it was set for, so that a correction measured on the sound of an
// earlier run (a callback racing a seek) cannot put the clock back where the
// seek left.
class PlayerClock {
public:
    void set(double ms, int serial);
    // Moves the clock to ms if it still belongs to that run and has drifted
    // more than toleranceMs from it; says whether it moved.
    bool follow(double ms, int serial, double toleranceMs);
    double get() const;
    void setPaused(bool paused);

private:
    static double nowMs();
    double currentLocked(double now) const;
    mutable std::mutex m_mutex;
    double m_base = 0.0;
    double m_updated = 0.0;
    int m_serial = -1;
    bool m_paused = true;
};

} // namespace playback
