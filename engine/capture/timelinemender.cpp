#include "engine/capture/timelinemender.h"

#include <algorithm>

void TimelineMender::mend(AVPacket *packet, AVRational timeBase)
{
    if (packet->stream_index < 0 || size_t(packet->stream_index) >= m_streams.size())
        return;
    Track &t = m_streams[size_t(packet->stream_index)];
    const int64_t at = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
    if (at != AV_NOPTS_VALUE && t.last != AV_NOPTS_VALUE) {
        const int64_t oneSecond = av_rescale_q(1, AVRational{1, 1}, timeBase);
        const int64_t now = at + t.offset;
        if (now < t.last - oneSecond || now > t.end + 5 * oneSecond)
            t.offset += t.end - now;
    }
    if (packet->pts != AV_NOPTS_VALUE)
        packet->pts += t.offset;
    if (packet->dts != AV_NOPTS_VALUE)
        packet->dts += t.offset;
    if (at == AV_NOPTS_VALUE)
        return;
    t.last = at + t.offset;
    const int64_t end = t.last + std::max<int64_t>(packet->duration, 1);
    t.end = t.end == AV_NOPTS_VALUE ? end : std::max(t.end, end);
}
