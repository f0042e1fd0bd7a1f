#include "engine/av/remuxer.h"

#include <cstring>
#include <utility>

namespace av {

namespace {

void copySideData(const AVStream *source, AVStream *target)
{
    for (int i = 0; i < source->nb_side_data; ++i) {
        const AVPacketSideData &sd = source->side_data[i];
        if (uint8_t *data = av_stream_new_side_data(target, sd.type, sd.size))
            memcpy(data, sd.data, sd.size);
    }
}

// The source's FourCC survives only where the container maps it to the same codec.
void chooseCodecTag(const AVStream *source, AVStream *target, const AVFormatContext *ctx, bool keep)
{
    const unsigned tag = source->codecpar->codec_tag;
    const AVCodecTag *const *table = ctx->oformat->codec_tag;
    if (!keep || (tag && table && av_codec_get_id(table, tag) != source->codecpar->codec_id))
        target->codecpar->codec_tag = 0;
}

} // namespace

Remuxer::Remuxer(RemuxWording wording) : m_wording(std::move(wording))
{
    quietLogs();
}

bool Remuxer::fail(const std::string &message, int code, std::string *error) const
{
    return failWith(error, code < 0 ? message + ": " + errorText(code) : message);
}

bool Remuxer::open(const std::string &path, const std::string &muxer, std::string *error)
{
    m_ctx.reset();
    m_lastDts.clear();
    m_written = 0;
    AVFormatContext *raw = nullptr;
    const int ret = avformat_alloc_output_context2(&raw, nullptr, muxer.c_str(), path.c_str());
    if (ret < 0 || !raw)
        return fail(m_wording.cannotCreate, 0, error);
    m_ctx.reset(raw);
    m_path = path;
    return true;
}

int Remuxer::addStream(const AVStream *source, const StreamCopy &copy, std::string *error)
{
    AVStream *target = avformat_new_stream(m_ctx.get(), nullptr);
    if (!target || avcodec_parameters_copy(target->codecpar, source->codecpar) < 0) {
        fail(m_wording.cannotAddStream, 0, error);
        return -1;
    }
    chooseCodecTag(source, target, m_ctx.get(), copy.keepCodecTag);
    target->time_base = source->time_base;
    target->avg_frame_rate = source->avg_frame_rate;
    target->r_frame_rate = source->r_frame_rate;
    target->sample_aspect_ratio = source->sample_aspect_ratio;
    target->disposition = source->disposition;
    if (copy.tagsAndSideData) {
        av_dict_copy(&target->metadata, source->metadata, 0);
        copySideData(source, target);
    }
    m_lastDts.push_back(AV_NOPTS_VALUE);
    return target->index;
}

bool Remuxer::start(Dictionary &options, std::string *error)
{
    AVFormatContext *ctx = m_ctx.get();
    if (!(ctx->oformat->flags & AVFMT_NOFILE)) {
        const int ret = avio_open(&ctx->pb, m_path.c_str(), AVIO_FLAG_WRITE);
        if (ret < 0)
            return fail(m_wording.cannotOpen, ret, error);
    }
    const int ret = avformat_write_header(ctx, options.address());
    if (ret < 0)
        return fail(m_wording.cannotStart, ret, error);
    return true;
}

void Remuxer::keepRising(AVPacket *packet, int outputStream)
{
    int64_t &last = m_lastDts[size_t(outputStream)];
    // A packet shown at a known time but decoded at an unknown one (the
    // first pictures of a Matroska file with reordered frames) is left to
    // the muxer: a decoding time guessed from the shown one would be wrong.
    if (packet->dts == AV_NOPTS_VALUE && packet->pts != AV_NOPTS_VALUE)
        return;
    if (packet->dts == AV_NOPTS_VALUE)
        packet->dts = last == AV_NOPTS_VALUE ? 0 : last + 1;
    // A repeat or a step back (a glitch between segments of a stream, or
    // two times that fell together in a coarser time base) is moved just
    // past the previous one.
    if (last != AV_NOPTS_VALUE && packet->dts <= last)
        packet->dts = last + 1;
    if (packet->pts != AV_NOPTS_VALUE && packet->pts < packet->dts)
        packet->pts = packet->dts;
    last = packet->dts;
}

bool Remuxer::write(AVPacket *packet, int outputStream, AVRational timeBase, std::string *error)
{
    const AVStream *target = m_ctx->streams[outputStream];
    packet->stream_index = outputStream;
    packet->pos = -1;
    av_packet_rescale_ts(packet, timeBase, target->time_base);
    keepRising(packet, outputStream);
    const int ret = av_interleaved_write_frame(m_ctx.get(), packet);
    if (ret < 0)
        return fail(m_wording.cannotWrite, ret, error);
    ++m_written;
    return true;
}

bool Remuxer::finish(std::string *error)
{
    int ret = av_write_trailer(m_ctx.get());
    if (ret >= 0 && m_ctx->pb && !(m_ctx->oformat->flags & AVFMT_NOFILE))
        ret = avio_closep(&m_ctx->pb);
    m_ctx.reset();
    if (ret < 0)
        return fail(m_wording.cannotFinish, ret, error);
    return true;
}

} // namespace av
