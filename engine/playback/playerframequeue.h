#pragma once

#include "engine/playback/playeravtypes.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace playback {

// One decoded unit: a picture, or audio samples already in the device format.
struct DecodedFrame {
    FramePtr picture;
    std::vector<uint8_t> samples;
    int serial = 0;
    double ptsMs = 0.0; // file time
    double durationMs = 0.0;
};

// A small bounded queue from a decoder thread to its consumer (the video
// presenter or the audio device callback).  The producer waits for room; the
// consumer only looks and takes, it never waits.
class FrameQueue {
public:
    explicit FrameQueue(size_t capacity) : m_capacity(capacity) {}

    // Waits for room; false when aborted.
    bool push(DecodedFrame &&frame);
    // Looks at the oldest frame; false when empty.
    bool front(int &serial, double &ptsMs, double &durationMs) const;
    // Looks at the second oldest frame; false when there is none.
    bool second(int &serial, double &ptsMs) const;
    // Takes the oldest frame; false when empty.
    bool pop(DecodedFrame &frame);
    void abort();
    size_t size() const;

private:
    const size_t m_capacity;
    mutable std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<DecodedFrame> m_frames;
    bool m_abort = false;
};

} // namespace playback
