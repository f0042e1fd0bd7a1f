#include "engine/av/muxer.h"

#include <cstring>

bool Muxer::open(const std::string &path, const std::string &muxerName, std::string *error)
{
    av::quietLogs();
    abandon();
    AVFormatContext *raw = nullptr;
    int ret = avformat_alloc_output_context2(&raw, nullptr, muxerName.c_str(), path.c_str());
    if (ret < 0 || !raw) {
        if (error)
            *error = "the container " + muxerName + " cannot be written: " + av::errorText(ret);
        return false;
    }
    m_ctx.reset(raw);
    if (!(raw->oformat->flags & AVFMT_NOFILE)) {
        ret = avio_open(&raw->pb, path.c_str(), AVIO_FLAG_WRITE);
        if (ret < 0) {
            if (error)
                *error = "cannot create [" + path + "]: " + av::errorText(ret);
            m_ctx.reset();
            return false;
        }
    }
    return true;
}

bool Muxer::needsGlobalHeader() const
{
    return m_ctx && (m_ctx->oformat->flags & AVFMT_GLOBALHEADER);
}

int Muxer::addStream(const AVCodecContext *encoder, const std::string &tag, std::string *error)
{
    AVStream *st = avformat_new_stream(m_ctx.get(), nullptr);
    if (!st || avcodec_parameters_from_context(st->codecpar, encoder) < 0) {
        if (error)
            *error = "cannot add an output stream";
        return -1;
    }
    st->time_base = encoder->time_base;
    st->avg_frame_rate = encoder->framerate;
    st->sample_aspect_ratio = encoder->sample_aspect_ratio;
    // Rate-control properties (the VBV size program streams need) go with the stream.
    for (int i = 0; i < encoder->nb_coded_side_data; ++i) {
        const AVPacketSideData &sd = encoder->coded_side_data[i];
        uint8_t *dst = av_stream_new_side_data(st, sd.type, sd.size);
        if (dst)
            memcpy(dst, sd.data, sd.size);
    }
    if (tag.size() == 4)
        st->codecpar->codec_tag = MKTAG(tag[0], tag[1], tag[2], tag[3]);
    else
        st->codecpar->codec_tag = 0;
    return st->index;
}

bool Muxer::writeHeader(AVDictionary **options, std::string *error)
{
    int ret = avformat_write_header(m_ctx.get(), options);
    if (ret < 0) {
        if (error)
            *error = "cannot write the container header: " + av::errorText(ret);
        return false;
    }
    m_headerWritten = true;
    return true;
}

bool Muxer::write(AVPacket *packet, int streamIndex, AVRational encoderTimeBase, std::string *error)
{
    std::lock_guard<std::mutex> lock(m_writeMutex);
    AVStream *st = m_ctx->streams[streamIndex];
    packet->stream_index = streamIndex;
    av_packet_rescale_ts(packet, encoderTimeBase, st->time_base);
    int ret = av_interleaved_write_frame(m_ctx.get(), packet);
    if (ret < 0) {
        if (error)
            *error = "cannot write the output: " + av::errorText(ret);
        return false;
    }
    return true;
}

bool Muxer::finish(std::string *error)
{
    if (!m_ctx)
        return false;
    int ret = m_headerWritten ? av_write_trailer(m_ctx.get()) : AVERROR(EINVAL);
    bool ok = ret >= 0;
    if (!ok && error)
        *error = "cannot finish the output: " + av::errorText(ret);
    if (m_ctx->pb && !(m_ctx->oformat->flags & AVFMT_NOFILE)) {
        if (m_ctx->pb->error < 0 && ok) {
            ok = false;
            if (error)
                *error = "cannot write the output: " + av::errorText(m_ctx->pb->error);
        }
        if (avio_closep(&m_ctx->pb) < 0 && ok) {
            ok = false;
            if (error)
                *error = "cannot close the output file";
        }
    }
    m_ctx.reset();
    m_headerWritten = false;
    return ok;
}

void Muxer::abandon()
{
    m_ctx.reset();
    m_headerWritten = false;
}
