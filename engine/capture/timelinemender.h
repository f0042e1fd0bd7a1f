#pragma once

#include "engine/av/avptr.h"

#include <vector>

// Keeps each stream's times going forward across the joins of a stream
// that restarts its clock (an HLS discontinuity, a transport stream that
// repeats, segments cut from different recordings): a step back of more
// than a second, or a leap forward of more than a few seconds, is taken as
// a new part, which is moved to follow on from where the last one ended.
// Small overlaps are left for the writer to nudge forward.
class TimelineMender {
public:
    explicit TimelineMender(size_t streams) : m_streams(streams) {}

    // Moves the packet's times (in timeBase) onto the continuous timeline.
    void mend(AVPacket *packet, AVRational timeBase);

private:
    struct Track {
        int64_t offset = 0;
        int64_t last = AV_NOPTS_VALUE; // decoding time, after the offset
        int64_t end = AV_NOPTS_VALUE;  // where the last packet ended
    };
    std::vector<Track> m_streams;
};
