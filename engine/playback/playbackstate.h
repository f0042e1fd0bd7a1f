#pragma once

#include "engine/playback/playerclock.h"
#include "engine/playback/playstatus.h"

extern "C" {
#include <libavutil/rational.h>
}

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace playback {

// What the threads of one playback share: the status, the section, the
// clock, the serial of the current stretch of packets (every seek starts a
// new one) and the marks that a seek and the end of input leave.  Plain
// atomics: no lock is held across them.
struct PlaybackState {
    std::atomic<bool> abort{false};
    std::atomic<int> status{PLAY_STATUS_STOPPED};
    std::atomic<int64_t> sectionStart{0}; // file ms
    std::atomic<int64_t> sectionEnd{-1};  // file ms, -1 = end of file
    double startOffsetMs = 0.0;           // the file's start time; set before the threads start
    double durationMs = 0.0;

    // The serial of the packets and frames that count; bumped by the demux
    // thread before it flushes the lanes, so older ones are known as stale.
    std::atomic<int> serial{0};
    std::atomic<bool> seekRequested{false};
    // Pictures and sound of targetSerial that end before targetMs are decoded but not shown.
    std::atomic<int> targetSerial{-1};
    std::atomic<double> targetMs{0.0};
    std::atomic<int> eofSerial{-1}; // the serial whose input has been read to its end

    // The position reported until a start or seek has shown its first picture or sound.
    std::atomic<bool> positionPending{false};
    std::atomic<double> pendingPositionMs{0.0};

    PlayerClock clock;
    std::atomic<int> anchorSerial{-1}; // the serial whose first picture (or sound) set the clock

    // File milliseconds of a timestamp.
    double streamMs(int64_t ts, AVRational timeBase) const
    {
        return double(ts) * av_q2d(timeBase) * 1000.0 - startOffsetMs;
    }

    // The presenter sleeps here between pictures; new frames, seeks and
    // control calls wake it.
    void wakePresenter() { m_wake.notify_all(); }
    template <class Duration> void waitForPresenterWork(Duration timeout)
    {
        std::unique_lock<std::mutex> lock(m_wakeMutex);
        m_wake.wait_for(lock, timeout);
    }

private:
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
};

} // namespace playback
