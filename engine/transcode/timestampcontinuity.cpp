#include "engine/transcode/timestampcontinuity.h"

#include <algorithm>
#include <cmath>

void TimestampContinuity::fix(AVPacket *packet, AVRational timeBase)
{
    if (packet->dts == AV_NOPTS_VALUE)
        return;
    double ms = packet->dts * av_q2d(timeBase) * 1000.0 + m_shiftMs;
    if (m_seen && (ms < m_lastMs - 1000.0 || ms > m_lastMs + 10000.0)) {
        m_shiftMs += m_lastMs + 40.0 - ms;
        ms = m_lastMs + 40.0;
    }
    m_seen = true;
    m_lastMs = std::max(m_lastMs, ms);
    const int64_t shift = av_rescale_q(std::llround(m_shiftMs * 1000.0), AVRational{1, 1000000}, timeBase);
    packet->dts += shift;
    if (packet->pts != AV_NOPTS_VALUE)
        packet->pts += shift;
}
