#include "engine/transcode/streamlane.h"

#include <algorithm>

StreamLane::StreamLane(const AVStream *stream, int64_t startPts, const SectionWindow &window)
    : m_stream(stream), m_window(window), m_startPts(startPts)
{
}

bool StreamLane::open(int threads, std::string *error)
{
    if (!m_frame)
        return av::failWith(error, "out of memory");
    m_threads = std::max(0, threads);
    return m_decoder.open(m_stream, m_threads, error);
}

bool StreamLane::feed(const AVPacket *packet, std::string *error)
{
    bool damaged = packet->flags & AV_PKT_FLAG_CORRUPT;
    int ret = m_decoder.send(packet);
    if (ret == AVERROR(EAGAIN)) {
        // Frames are waiting: take them, then the packet goes in.
        if (!receiveFrames(error))
            return false;
        ret = m_decoder.send(packet);
    }
    if (ret == AVERROR(ENOMEM))
        return av::failWith(error, "out of memory");
    if (ret < 0)
        damaged = true;
    if (damaged)
        ++m_damaged;
    return receiveFrames(error);
}

bool StreamLane::finish(std::string *error)
{
    if (!m_done) {
        const int ret = m_decoder.send(nullptr);
        if (ret < 0 && ret != AVERROR_EOF)
            return av::failWith(error, "cannot drain the decoder: " + av::errorText(ret));
        if (!receiveFrames(error))
            return false;
    }
    return endFilters(error);
}

bool StreamLane::receiveFrames(std::string *error)
{
    // A decoder that keeps failing would otherwise hold the loop for ever.
    constexpr int kMaxErrorsInRow = 64;
    int errorsInRow = 0;
    for (;;) {
        const int ret = m_decoder.receive(m_frame.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret == AVERROR(ENOMEM))
            return av::failWith(error, "out of memory");
        if (ret < 0) {
            ++m_damaged;
            if (++errorsInRow >= kMaxErrorsInRow)
                return true;
            continue;
        }
        errorsInRow = 0;
        const bool ok = m_done || onFrame(m_frame.get(), error);
        av_frame_unref(m_frame.get());
        if (!ok)
            return false;
    }
}

bool StreamLane::frameTime(const AVFrame *frame, double *ms) const
{
    int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = frame->pts;
    if (ts == AV_NOPTS_VALUE)
        return false;
    *ms = (ts - m_startPts) * av_q2d(m_stream->time_base) * 1000.0;
    return true;
}
