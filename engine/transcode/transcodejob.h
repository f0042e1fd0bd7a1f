#pragma once

#include "engine/av/filtergraph.h"
#include "engine/av/filtersettings.h"
#include "engine/av/inputreader.h"
#include "engine/transcode/processingoptions.h"
#include "engine/transcode/transcodestatus.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// A frame rate or any other ratio; 0/1 means "not set".
struct Rational {
    int num = 0;
    int den = 1;
    bool isSet() const { return num > 0 && den > 0; }
    double value() const { return den > 0 ? double(num) / den : 0.0; }
    friend bool operator==(const Rational &, const Rational &) = default;
};

// How the video encoder spends its bits.
namespace RateControl {
// An average rate in bits per second (0: the encoder's default).
struct BitRate {
    int64_t bitsPerSecond = 0;
    friend bool operator==(const BitRate &, const BitRate &) = default;
};
// A constant quality: the encoder's own scale (CRF for x264/x265,
// its equivalent elsewhere); lower is better.
struct ConstantQuality {
    double quality = 23.0;
    friend bool operator==(const ConstantQuality &, const ConstantQuality &) = default;
};
// A whole file of at most this many bytes, reached in two passes.
struct TwoPassTarget {
    int64_t targetBytes = 0;
    friend bool operator==(const TwoPassTarget &, const TwoPassTarget &) = default;
};
} // namespace RateControl
using VideoRate =
    std::variant<RateControl::BitRate, RateControl::ConstantQuality, RateControl::TwoPassTarget>;

// The picture of the output.  An empty codec means "no picture".
struct VideoOutputSpec {
    std::string codec; // FFmpeg encoder or codec name, e.g. "libx264", "h264", "mpeg4"
    int width = 0;     // 0 x 0 keeps the (cropped) source size
    int height = 0;
    Rational frameRate;           // unset: the source's rate
    VideoRate rate;               // BitRate{0} leaves it to the encoder
    FrameFit fit = FrameFit::Pad; // how a picture of another shape fills the frame
};

// The sound of the output.  An empty codec means "no sound".
struct AudioOutputSpec {
    std::string codec;   // e.g. "aac", "libmp3lame", "ac3"
    int sampleRate = 0;  // 0: the source's
    int channels = 0;    // 0: the source's
    int64_t bitRate = 0; // bits per second; 0: the encoder's default
};

// Where and what a job writes.
struct OutputSpec {
    std::string path;      // the output file (its extension picks the container)
    std::string container; // a muxer name to force; empty: from the extension
    bool dvd = false;      // DVD-compliant MPEG-2 program stream (PAL/NTSC from the rate)
    VideoOutputSpec video;
    AudioOutputSpec audio;
    int64_t splitBytes = 0; // 0 = one file; else segments of at most this many bytes
    int64_t splitMs = 0;    // 0 = one file; else segments of this length
};

// One source of a job, with its own part and edits.  Several inputs are
// joined in order into one output; each picture is placed in the output's
// frame by the output's fit, each sound resampled to the output's format.
struct TranscodeInput {
    std::string path;
    int64_t msStart = 0; // section start, ms from the input's start
    int64_t msEnd = 0;   // section end; 0 or less: to the input's end
    FilterSettings filters;
    // When set, the input is read through this reader instead of FFmpeg
    // opening the path itself.
    std::function<std::unique_ptr<InputReader>()> openReader;
};

// One conversion: inputs joined in order, each cut to its section and
// filtered, encoded and written.  The output appears only when the job
// succeeds.
struct TranscodeJob {
    std::vector<TranscodeInput> inputs;
    OutputSpec output;
    ProcessingOptions processing;
    // Inputs without a picture get a black one for their length, so that
    // the output has a picture throughout (the sound-only parts of a
    // merge); off, such inputs add sound only.
    bool blackPictureForSound = false;
    // Reading, decoding, filtering and encoding run on threads of their own
    // joined by bounded queues; off, all of it runs on the caller's thread.
    bool pipelined = true;
};

// What a run did.
struct TranscodeResult {
    TranscodeStatus status = TRANSCODE_IDLE;
    std::string reason;               // why it failed; empty otherwise
    std::vector<std::string> outputs; // the files written: the output, or its segments
    int64_t frames = 0;               // pictures encoded
    double inputLengthFoundMs = 0.0;  // length of an input that did not state it, found by reading it
    bool ok() const { return status == TRANSCODE_FINISHED; }
};

// Asked from any thread to stop a run; the run ends as soon as it can.
class StopToken {
public:
    void request() { m_stop.store(true); }
    void clear() { m_stop.store(false); }
    bool requested() const { return m_stop.load(); }
    const std::atomic<bool> &flag() const { return m_stop; }

private:
    std::atomic<bool> m_stop{false};
};

// Told how a run goes, on the run's own threads: keep it quick and
// thread-safe (store the numbers, or post them to another thread).
class TranscodeObserver {
public:
    virtual ~TranscodeObserver() = default;
    // fraction: 0..1 of the job done; frames: pictures encoded so far.
    virtual void onProgress(double fraction, int64_t frames) = 0;
};
