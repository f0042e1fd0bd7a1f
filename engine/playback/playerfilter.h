#pragma once

#include "engine/av/filtergraph.h"
#include "engine/av/filtersettings.h"
#include "engine/playback/playeravtypes.h"

#include <cstdint>
#include <string>

namespace playback {

// Runs pictures through the preview filters, with the filter-graph builder
// the transcoder uses.  The graph is rebuilt when the settings change
// (generation) or the picture's format or size changes, so a change shows on
// the next picture without reopening the file.
class PlayerFilter {
public:
    // True when the settings change the picture at all.
    static bool anyVideoFilter(const FilterSettings &s);

    // The filtered picture; a plain reference to src when no filter is on.
    // Null on failure (error() tells why); the caller then shows src as is.
    FramePtr apply(const AVFrame *src, const FilterSettings &settings, uint64_t generation,
                   AVRational timeBase, AVRational frameRate);
    const std::string &error() const { return m_error; }

private:
    FilterGraph m_graph;
    bool m_active = false;
    bool m_failed = false;
    uint64_t m_generation = UINT64_MAX;
    int m_width = 0, m_height = 0, m_format = -1;
    std::string m_error;
};

} // namespace playback
