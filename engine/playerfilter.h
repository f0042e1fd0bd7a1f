#pragma once

#include "engine/filtersettings.h"
#include "engine/playeravtypes.h"

#include <cstdint>
#include <string>

namespace playback {

// Runs pictures through the preview filters.  The graph is rebuilt when the
// settings change (generation) or the picture's format or size changes, so a
// change shows on the next picture without reopening the file.
class PlayerFilter {
public:
    // The filtered picture; a plain reference to src when no filter is on.
    // Null on failure (error() tells why); the caller then shows src as is.
    FramePtr apply(const AVFrame *src, const FilterSettings &settings, uint64_t generation,
                   AVRational timeBase);
    const std::string &error() const { return m_error; }
    void reset();

private:
    bool rebuild(const AVFrame *src, const std::string &description, AVRational timeBase);

    FilterGraphPtr m_graph;
    AVFilterContext *m_source = nullptr;
    AVFilterContext *m_sink = nullptr;
    std::string m_description;
    uint64_t m_generation = UINT64_MAX;
    int m_width = 0, m_height = 0, m_format = -1;
    std::string m_error;
};

} // namespace playback
