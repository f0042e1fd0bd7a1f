#include "engine/playback/playerclock.h"

#include <chrono>

namespace playback {

double PlayerClock::nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void PlayerClock::set(double ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_base = ms;
    m_updated = nowMs();
}

double PlayerClock::get() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_paused ? m_base : m_base + (nowMs() - m_updated);
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
