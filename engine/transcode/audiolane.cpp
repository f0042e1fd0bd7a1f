#include "engine/transcode/audiolane.h"

#include "engine/av/audioframe.h"

#include <algorithm>
#include <cmath>

AudioLane::AudioLane(const AVStream *stream, int64_t startPts, const SectionWindow &window,
                     const FilterSettings &filters, AudioEncodeSink &sink)
    : StreamLane(stream, startPts, window), m_filters(filters), m_sink(sink)
{
}

AudioLane::~AudioLane()
{
    halt(); // the lane's threads call into this object
}

namespace {

// How far the sound may stray from its timestamps before it is put back:
// beyond the rounding of any container's clock, below one frame of the
// common encoders (so that the padding an encoder adds to its last frame,
// in parts joined one after the other, does not add up).
constexpr double kResyncMs = 15.0;
// A longer hole or overlap is taken as a broken clock, not as silence or
// sound to leave out.
constexpr double kLongestHoleMs = 10000.0;

} // namespace

bool AudioLane::onFrame(AVFrame *frame, std::string *error)
{
    const int rate = std::max(1, frame->sample_rate);
    // A frame without a time comes right after the last one.
    double ms = m_samplesIn > 0 ? nextSampleMs(rate) : m_window.startMs;
    const bool timed = frameTime(frame, &ms);
    if (ms >= m_window.endMs - 0.5) {
        markDone();
        return true;
    }
    // Only the samples inside the section go on, to the sample: parts
    // joined one after the other keep their sound where their pictures are.
    const int n = frame->nb_samples;
    const int from = timed ? samplesIn(m_window.startMs - ms, rate, n) : 0;
    const int to = m_window.openEnded() ? n : samplesIn(m_window.endMs - ms, rate, n);
    if (to <= from)
        return true;
    av::FramePtr part;
    if (from > 0 || to < n) {
        part = av::sliceSamples(frame, from, to - from);
        if (!part)
            return av::failWith(error, "out of memory");
        frame = part.get();
        ms += from * 1000.0 / rate;
    }
    if (!ensureGraph(frame, error))
        return false;
    // The sound starts with the section: a first frame that comes later
    // gets silence before it.
    if (m_samplesIn == 0)
        m_firstMs = timed ? std::min(ms, m_window.startMs) : ms;
    bool skip = false;
    if (timed && !keepInTime(frame, ms, &skip, error))
        return false;
    if (to < n)
        markDone();
    return skip || push(frame, error);
}

int AudioLane::samplesIn(double ms, int rate, int samples)
{
    return int(std::clamp<int64_t>(std::llround(ms * rate / 1000.0), 0, samples));
}

bool AudioLane::keepInTime(const AVFrame *frame, double ms, bool *skip, std::string *error)
{
    const int rate = std::max(1, frame->sample_rate);
    const double driftMs = ms - nextSampleMs(rate);
    if (std::abs(driftMs) <= kResyncMs)
        return true;
    if (std::abs(driftMs) > kLongestHoleMs) {
        m_firstMs += driftMs; // the clock jumped: go on from here
        return true;
    }
    if (driftMs < 0) {
        *skip = true;
        return true;
    }
    av::FramePtr silence = av::makeSilence(frame->format, frame->sample_rate, frame->ch_layout,
                                           int(std::llround(driftMs * rate / 1000.0)));
    if (!silence)
        return av::failWith(error, "out of memory");
    return push(silence.get(), error);
}

bool AudioLane::push(AVFrame *frame, std::string *error)
{
    frame->pts = m_samplesIn;
    m_samplesIn += frame->nb_samples;
    const int ret = m_graph.push(frame);
    if (ret < 0)
        return av::failWith(error, "audio filtering failed: " + av::errorText(ret));
    return pullFrames(error);
}

bool AudioLane::endFilters(std::string *error)
{
    if (!m_graph.isReady())
        return true;
    const int ret = m_graph.push(nullptr);
    if (ret < 0)
        return av::failWith(error, "audio filtering failed: " + av::errorText(ret));
    return pullFrames(error);
}

bool AudioLane::ensureGraph(const AVFrame *frame, std::string *error)
{
    if (m_graph.isReady())
        return true;
    AudioFilterInput in;
    in.sampleRate = frame->sample_rate;
    in.sampleFmt = frame->format;
    in.channels = frame->ch_layout.nb_channels;
    in.channelMask = frame->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? frame->ch_layout.u.mask : 0;
    in.timeBase = {1, frame->sample_rate};
    m_graph.setThreads(threads());
    return m_graph.initAudio(m_filters, in, m_sink.filterOutput(), error);
}

bool AudioLane::pullFrames(std::string *error)
{
    if (!m_filtered)
        return av::failWith(error, "out of memory");
    for (;;) {
        const int ret = m_graph.pull(m_filtered.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0)
            return av::failWith(error, "audio filtering failed: " + av::errorText(ret));
        const bool ok = m_sink.feed(m_filtered.get(), error);
        av_frame_unref(m_filtered.get());
        if (!ok)
            return false;
    }
}
