#include "engine/transcode/encodesink.h"

EncodeSink::EncodeSink(Muxer &muxer, const std::atomic<bool> &stop, ProgressMeter &progress)
    : m_progress(progress), m_muxer(muxer), m_stop(stop)
{
}

bool EncodeSink::addStream(const std::string &tag, std::string *error)
{
    m_stream = m_muxer.addStream(m_encoder.context(), tag, error);
    return m_stream >= 0;
}

bool EncodeSink::encode(const AVFrame *frame, const char *kind, std::string *error)
{
    int ret = m_encoder.send(frame);
    if (ret == AVERROR(EAGAIN)) {
        // The encoder wants its packets taken first.
        if (!writePackets(error))
            return false;
        ret = m_encoder.send(frame);
    }
    if (ret < 0 && !(ret == AVERROR_EOF && !frame))
        return av::failWith(error, std::string(kind) + " encoding failed: " + av::errorText(ret));
    return writePackets(error);
}

bool EncodeSink::writePackets(std::string *error)
{
    for (;;) {
        if (m_stop.load())
            return av::failWith(error, "stopped");
        const int ret = m_encoder.receive(m_packet.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0)
            return av::failWith(error, "encoding failed: " + av::errorText(ret));
        const bool ok = m_muxer.write(m_packet.get(), m_stream, m_encoder.context()->time_base, error);
        av_packet_unref(m_packet.get());
        if (!ok)
            return false;
    }
}
