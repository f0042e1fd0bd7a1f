#pragma once

// Small typed jobs for the engine's conversion tests.

#include "engine/transcode/transcoder.h"

#include <QString>
#include <QStringList>

#include <atomic>

namespace TypedJobs {

// An output of the given encoders, frame size and rates (0: the source's
// or the encoder's).
inline OutputSpec spec(const char *video, const char *audio, int width, int height, int64_t videoBitrate = 0,
                       int sampleRate = 44100, int channels = 2, int64_t audioBitrate = 96000)
{
    OutputSpec out;
    out.video.codec = video;
    out.video.width = width;
    out.video.height = height;
    out.video.rate = RateControl::BitRate{videoBitrate};
    out.audio.codec = audio;
    out.audio.sampleRate = sampleRate;
    out.audio.channels = channels;
    out.audio.bitRate = audioBitrate;
    return out;
}

// A frame rate given in thousandths of a frame per second.
inline Rational milliRate(int thousandths)
{
    return thousandths > 0 ? Rational{thousandths, 1000} : Rational{};
}

// The inputs joined whole (or each cut to msStart..msEnd) into output.
inline TranscodeJob job(const QStringList &inputs, const QString &output, const OutputSpec &spec,
                        int64_t msStart = 0, int64_t msEnd = 0, const FilterSettings &filters = {})
{
    TranscodeJob job;
    for (const QString &path : inputs) {
        TranscodeInput in;
        in.path = path.toStdString();
        in.msStart = msStart;
        in.msEnd = msEnd;
        in.filters = filters;
        job.inputs.push_back(in);
    }
    job.output = spec;
    job.output.path = output.toStdString();
    return job;
}

// Keeps what a run reports, for checks while or after it runs.
class Reports : public TranscodeObserver {
public:
    void onProgress(double fraction, int64_t frames) override
    {
        m_fraction.store(fraction);
        m_frames.store(frames);
    }
    double fraction() const { return m_fraction.load(); }
    int64_t frames() const { return m_frames.load(); }

private:
    std::atomic<double> m_fraction{0.0};
    std::atomic<int64_t> m_frames{0};
};

} // namespace TypedJobs
