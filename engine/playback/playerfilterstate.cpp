#include "engine/playback/playerfilterstate.h"

namespace playback {

void FilterState::set(const FilterSettings &settings)
{
    edit([&](FilterSettings &f) { f = settings; });
}

FilterSettings FilterState::snapshot(uint64_t *generation) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (generation)
        *generation = m_generation;
    return m_settings;
}

uint64_t FilterState::generation() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_generation;
}

} // namespace playback
