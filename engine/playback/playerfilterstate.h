#pragma once

#include "engine/av/filtersettings.h"

#include <cstdint>
#include <mutex>

namespace playback {

// The preview filters a player applies, with a generation number that grows
// on every change so that the picture stage knows when to build its graph
// again.  Written on the GUI thread, read by the playback threads.
class FilterState {
public:
    // Replaces the whole set and bumps the generation.
    void set(const FilterSettings &settings);
    // Changes part of the set under the lock and bumps the generation.
    template <typename F> void edit(F &&change)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        change(m_settings);
        ++m_generation;
    }
    // A consistent copy of the set and the generation it belongs to.
    FilterSettings snapshot(uint64_t *generation = nullptr) const;
    uint64_t generation() const;

private:
    mutable std::mutex m_mutex;
    FilterSettings m_settings;
    uint64_t m_generation = 0;
};

} // namespace playback
