#include "engine/playback/playerclock.h"

#include <chrono>
#include <cmath>

namespace playback {

double PlayerClock::nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double PlayerClock::currentLocked(double now) const
{
    return m_paused ? m_base : m_base + (now - m_updated);
}

void PlayerClock::set(double ms, int serial)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_base = ms;
    m_updated = nowMs();
    m_serial = serial;
}

bool PlayerClock::follow(double ms, int serial, double toleranceMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const double now = nowMs();
    if (serial != m_serial || std::abs(ms - currentLocked(now)) <= toleranceMs)
        return false;
    m_base = ms;
    m_updated = now;
    return true;
}

double PlayerClock::get() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return currentLocked(nowMs());
}

void PlayerClock::setPaused(bool paused)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (paused == m_paused)
        return;
    const double now = nowMs();
    if (paused)
        m_base += now - m_updated;
    m_updated = now;
    m_paused = paused;
}

} // namespace playback
