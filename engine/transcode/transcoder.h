#pragma once

#include "engine/av/filtersettings.h"
#include "engine/transcode/encodeinfo.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// One conversion: inputs joined in order, cut to the section, filtered,
// encoded and written.  The output appears only when the job succeeds.
struct TranscodeJob {
    EncodeInfo info;
    std::vector<std::string> inputs;
    FilterSettings filters;
    std::string output;
};

class Transcoder {
public:
    enum Result { Finished = 2, Stopped = 3, Failed = 4 };

    // Runs on the caller's thread.  error receives the reason of a failure.
    Result run(const TranscodeJob &job, std::string *error);

    // Thread-safe.
    void requestStop() { m_stop.store(true); }
    void clearStop() { m_stop.store(false); }
    bool stopRequested() const { return m_stop.load(); }
    double progress() const { return m_progress.load(); }
    int64_t frames() const { return m_frames.load(); }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_progress{0.0};
    std::atomic<int64_t> m_frames{0};
};
