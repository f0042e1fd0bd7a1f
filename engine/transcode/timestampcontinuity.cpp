#include "engine/transcode/timestampcontinuity.h"

#include <algorithm>
#include <cmath>

namespace {

// Assumed length of a packet that states none: one picture at 25/s.
constexpr double kUnknownDurationMs = 40.0;

} // namespace

void TimestampContinuity::fix(AVPacket *packet, AVRational timeBase, bool video)
{
    if (packet->dts == AV_NOPTS_VALUE)
        return;
    const double msPerTick = av_q2d(timeBase) * 1000.0;
    const int64_t start = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    double ms = packet->dts * msPerTick + m_shiftMs;
    // Each stream is compared with itself: a muxer may run one stream well
    // ahead of the other (small pictures are written up to a second or more
    // before their sound), which is no restart.
    Stream &s = video ? m_video : m_other;
    const double lastMs = s.seen ? s.lastMs : m_lastMs;
    if (m_seen && (ms < lastMs - 1000.0 || ms > lastMs + 10000.0)) {
        // The new run lasts from where the last one's pictures ended; this
        // packet's stream keeps its place in it.
        double target = m_other.endMs;
        if (m_video.inRun) {
            const double runLength = m_video.endMs - m_video.runStartMs;
            const bool ownPlace = video || !m_other.inRun;
            target = (ownPlace ? m_video.runStartMs : m_other.runStartMs) + runLength;
        }
        const double delta = target - (start * msPerTick + m_shiftMs);
        m_shiftMs += delta;
        ms += delta;
        m_video.inRun = m_other.inRun = false;
    }
    m_seen = true;
    m_lastMs = std::max(m_lastMs, ms);
    s.lastMs = s.seen ? std::max(s.lastMs, ms) : ms;
    const double startMs = start * msPerTick + m_shiftMs;
    const double lengthMs = packet->duration > 0 ? packet->duration * msPerTick : kUnknownDurationMs;
    s.runStartMs = s.inRun ? std::min(s.runStartMs, startMs) : startMs;
    s.endMs = s.seen ? std::max(s.endMs, startMs + lengthMs) : startMs + lengthMs;
    s.seen = s.inRun = true;
    const int64_t shift = av_rescale_q(std::llround(m_shiftMs * 1000.0), AVRational{1, 1000000}, timeBase);
    packet->dts += shift;
    if (packet->pts != AV_NOPTS_VALUE)
        packet->pts += shift;
}
