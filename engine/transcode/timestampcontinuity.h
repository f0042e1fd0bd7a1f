#pragma once

#include "engine/av/avptr.h"

// Keeps timestamps rising across clock restarts, as in program and
// transport streams joined byte for byte: a jump back (or far ahead)
// continues the timeline where the last run ended.
class TimestampContinuity {
public:
    // video: the packet belongs to the picture stream.  A new run starts
    // where the last run's pictures ended, its streams keeping their places
    // to each other (the sound of a run may start a little early or last a
    // little longer, its encoder filling its frames).
    void fix(AVPacket *packet, AVRational timeBase, bool video);

private:
    struct Stream {
        bool seen = false;
        bool inRun = false;      // seen since the last clock restart
        double runStartMs = 0.0; // where it starts in the current run
        double endMs = 0.0;      // where it reached
        double lastMs = 0.0;     // its highest decoding time
    };

    bool m_seen = false;
    double m_lastMs = 0.0; // the highest decoding time of any stream
    double m_shiftMs = 0.0;
    Stream m_video, m_other;
};
