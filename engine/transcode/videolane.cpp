#include "engine/transcode/videolane.h"

#include "engine/transcode/queuedepth.h"

#include <algorithm>

VideoLane::VideoLane(const AVStream *stream, int64_t startPts, const SectionWindow &window,
                     const FilterSettings &filters, VideoEncodeSink &sink)
    : StreamLane(stream, startPts, window), m_filters(filters), m_sink(sink),
      m_halfFrameMs(500.0 / av_q2d(sink.frameRate()))
{
}

VideoLane::~VideoLane()
{
    halt(); // the lane's threads call into this object
}

size_t VideoLane::frameQueueDepth() const
{
    const AVCodecParameters *par = m_stream->codecpar;
    return QueueDepth::pictures(par->width, par->height, 1);
}

bool VideoLane::onFrame(AVFrame *frame, std::string *error)
{
    double ms = m_window.startMs; // a frame without a time joins at the start
    const bool timed = frameTime(frame, &ms);
    // A picture whose packet carried no time of its own (small pictures
    // share a packet in a program stream) follows the one before it: the
    // decoder's guess is the time of the packet that pushed it out, which at
    // the joint of two merged parts belongs to the next part.
    if (frame->pts == AV_NOPTS_VALUE && m_anyFrame && (!timed || ms <= m_lastMs))
        ms = m_lastMs + frameDurationMs(frame);
    m_anyFrame = true;
    m_lastMs = ms;
    if (ms < m_window.startMs - m_halfFrameMs)
        return true;
    if (ms >= m_window.endMs - 0.5) {
        markDone();
        return true;
    }
    if (!ensureGraph(frame, error))
        return false;
    frame->pts = m_window.outputUs(ms);
    m_endUs = m_window.outputUs(std::min(ms + frameDurationMs(frame), m_window.endMs));
    const int ret = m_graph.push(frame);
    if (ret < 0)
        return av::failWith(error, "video filtering failed: " + av::errorText(ret));
    return pullFrames(error);
}

bool VideoLane::endFilters(std::string *error)
{
    if (!m_graph.isReady())
        return true;
    const int ret = m_graph.pushEnd(m_endUs);
    if (ret < 0)
        return av::failWith(error, "video filtering failed: " + av::errorText(ret));
    return pullFrames(error);
}

bool VideoLane::ensureGraph(const AVFrame *frame, std::string *error)
{
    if (m_graph.isReady() && frame->width == m_graphWidth && frame->height == m_graphHeight &&
        frame->format == m_graphFormat)
        return true;
    if (!endFilters(error))
        return false;
    VideoFilterInput in;
    in.width = frame->width;
    in.height = frame->height;
    in.pixFmt = frame->format;
    in.timeBase = {1, 1000000};
    in.sampleAspect = frame->sample_aspect_ratio;
    in.frameRate = m_stream->avg_frame_rate;
    m_graph.setThreads(threads());
    if (!m_graph.initVideo(m_filters, in, m_sink.filterOutput(), error))
        return false;
    m_graphWidth = frame->width;
    m_graphHeight = frame->height;
    m_graphFormat = frame->format;
    return true;
}

bool VideoLane::pullFrames(std::string *error)
{
    if (!m_filtered)
        return av::failWith(error, "out of memory");
    for (;;) {
        const int ret = m_graph.pull(m_filtered.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0)
            return av::failWith(error, "video filtering failed: " + av::errorText(ret));
        const bool ok = m_sink.feed(m_filtered.get(), m_graph.outputTimeBase(), error);
        av_frame_unref(m_filtered.get());
        if (!ok)
            return false;
    }
}

double VideoLane::frameDurationMs(const AVFrame *frame) const
{
    if (frame->pkt_duration > 0)
        return frame->pkt_duration * av_q2d(m_stream->time_base) * 1000.0;
    if (m_stream->avg_frame_rate.num > 0)
        return 1000.0 / av_q2d(m_stream->avg_frame_rate);
    return 2.0 * m_halfFrameMs;
}
