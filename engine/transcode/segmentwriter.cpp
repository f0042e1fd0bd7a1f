#include "engine/transcode/segmentwriter.h"

#include "engine/transcode/outputplan.h"

#include <cmath>

namespace {

av::RemuxWording segmentWording(const std::string &muxer)
{
    av::RemuxWording w;
    w.cannotCreate = "the container " + muxer + " cannot be written";
    w.cannotAddStream = "cannot add a stream to a segment";
    w.cannotOpen = "cannot write a segment";
    w.cannotStart = "cannot write a segment's header";
    w.cannotWrite = "cannot write a segment";
    w.cannotFinish = "cannot finish a segment";
    return w;
}

} // namespace

SegmentWriter::SegmentWriter(const OutputPlan &plan) : m_out(segmentWording(plan.rule.muxer)) {}

bool SegmentWriter::open(const std::string &finalPath, const OutputPlan &plan, AVFormatContext *input,
                         std::string *error)
{
    if (!m_temp.create(finalPath, error) || !m_out.open(m_temp.path(), plan.rule.muxer, error))
        return false;
    // Keep the stream's FourCC when the container knows it for the codec.
    av::Remuxer::StreamCopy copy;
    copy.keepCodecTag = true;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        if (m_out.addStream(input->streams[i], copy, error) < 0)
            return false;
    }
    av::Dictionary options;
    if (plan.dvd) {
        options.set("packetsize", "2048");
        options.set("muxrate", "10080000");
    }
    return m_out.start(options, error);
}

bool SegmentWriter::write(AVPacket *packet, const AVStream *in, double startMs, std::string *error)
{
    const int64_t shift = int64_t(std::llround(startMs / 1000.0 / av_q2d(in->time_base)));
    if (packet->pts != AV_NOPTS_VALUE)
        packet->pts -= shift;
    if (packet->dts != AV_NOPTS_VALUE)
        packet->dts -= shift;
    return m_out.write(packet, packet->stream_index, in->time_base, error);
}

bool SegmentWriter::finish(std::string *error)
{
    return m_out.finish(error);
}
