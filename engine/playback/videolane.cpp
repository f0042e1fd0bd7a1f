#include "engine/playback/videolane.h"

namespace playback {

namespace {
constexpr size_t kQueuedPictures = 3;
}

VideoLane::VideoLane(PlaybackState &state, const VideoStreamInfo &stream)
    : PlayerLane(state, kQueuedPictures), m_timeBase(stream.timeBase),
      m_frameMs(stream.frameRate.num > 0 && stream.frameRate.den > 0 ? 1000.0 / av_q2d(stream.frameRate)
                                                                     : 40.0)
{
}

VideoLane::~VideoLane()
{
    abort();
    join();
}

bool VideoLane::deliver(AVFrame *frame, int serial)
{
    const int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        return true;
    const double pts = m_state.streamMs(ts, m_timeBase);
    const double duration =
        frame->pkt_duration > 0 ? double(frame->pkt_duration) * av_q2d(m_timeBase) * 1000.0 : m_frameMs;
    const int64_t end = m_state.sectionEnd;
    const bool beforeTarget = serial == m_state.targetSerial && pts + duration <= m_state.targetMs + 0.5;
    if (beforeTarget || (end >= 0 && pts >= double(end)))
        return true;
    DecodedFrame out;
    out.picture = makeFrame();
    if (!out.picture)
        return true;
    av_frame_move_ref(out.picture.get(), frame);
    out.serial = serial;
    out.ptsMs = pts;
    out.durationMs = duration;
    if (!frames().push(std::move(out)))
        return false;
    m_state.wakePresenter();
    return true;
}

} // namespace playback
