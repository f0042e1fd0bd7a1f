#pragma once

#include "engine/av/filtersettings.h"
#include "engine/av/inputreader.h"
#include "engine/transcode/encodeinfo.h"
#include "engine/transcode/processingoptions.h"
#include "engine/transcode/transcodestatus.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One conversion: inputs joined in order, cut to the section, filtered,
// encoded and written.  The output appears only when the job succeeds.
struct TranscodeJob {
    EncodeInfo info;
    std::vector<std::string> inputs;
    FilterSettings filters;
    ProcessingOptions processing;
    std::string output;
    // When set, each input is read through the reader this returns for its
    // name instead of FFmpeg opening the path itself.
    std::function<std::unique_ptr<InputReader>(const std::string &input)> openReader;
    // Inputs without a picture get a black one for their length, at the
    // record's frame size, so that the output has a picture throughout
    // (the sound-only parts of a merge); off, such inputs add sound only.
    bool blackPictureForSound = false;
    // Reading, decoding, filtering and encoding run on threads of their own
    // joined by bounded queues; off, all of it runs on the caller's thread.
    bool pipelined = true;
};

class Transcoder {
public:
    // Runs on the caller's thread until the job has finished, was stopped
    // or failed; error receives the reason of a failure.
    TranscodeStatus run(const TranscodeJob &job, std::string *error);

    // Thread-safe.
    void requestStop() { m_stop.store(true); }
    void clearStop() { m_stop.store(false); }
    bool stopRequested() const { return m_stop.load(); }
    const std::atomic<bool> &stopFlag() const { return m_stop; }
    double progress() const { return m_progress.load(); }
    int64_t frames() const { return m_frames.load(); }
    // After a run: the length of an input that did not state it, found by
    // reading it to its end (0 when there was none).
    double inputLengthFound() const { return m_inputLength.load(); }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_progress{0.0};
    std::atomic<int64_t> m_frames{0};
    std::atomic<double> m_inputLength{0.0};
};
