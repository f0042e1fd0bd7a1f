#pragma once

#include "engine/av/avptr.h"

// Keeps timestamps rising across clock restarts, as in program and
// transport streams joined byte for byte: a jump back (or far ahead)
// continues the timeline right after the last packet seen.
class TimestampContinuity {
public:
    void fix(AVPacket *packet, AVRational timeBase);

private:
    bool m_seen = false;
    double m_lastMs = 0.0;
    double m_shiftMs = 0.0;
};
