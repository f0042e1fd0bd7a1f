#include "engine/transcode/audiolane.h"

#include <algorithm>

AudioLane::AudioLane(const AVStream *stream, int64_t startPts, const SectionWindow &window,
                     const FilterSettings &filters, AudioEncodeSink &sink)
    : StreamLane(stream, startPts, window), m_filters(filters), m_sink(sink)
{
}

AudioLane::~AudioLane()
{
    halt(); // the lane's threads call into this object
}

bool AudioLane::onFrame(AVFrame *frame, std::string *error)
{
    const int rate = std::max(1, frame->sample_rate);
    double ms = m_window.startMs + m_samplesIn * 1000.0 / rate; // without a time: right after the last
    frameTime(frame, &ms);
    const double durationMs = frame->nb_samples * 1000.0 / rate;
    if (ms + durationMs / 2 < m_window.startMs)
        return true;
    if (ms >= m_window.endMs - 0.5) {
        markDone();
        return true;
    }
    if (!ensureGraph(frame, error))
        return false;
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
