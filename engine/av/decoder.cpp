#include "engine/av/decoder.h"

bool Decoder::open(const AVStream *stream, int threads, std::string *error)
{
    av::quietLogs();
    m_ctx.reset();
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) {
        if (error)
            *error = std::string("no decoder for ") + avcodec_get_name(stream->codecpar->codec_id);
        return false;
    }
    av::CodecContextPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx || avcodec_parameters_to_context(ctx.get(), stream->codecpar) < 0) {
        if (error)
            *error = "out of memory";
        return false;
    }
    ctx->pkt_timebase = stream->time_base;
    ctx->max_pixels = kMaxPixels;
    ctx->thread_count = threads;
    av::Dictionary opts;
    if (ctx->thread_count == 0)
        opts.set("threads", "auto");
    int ret = avcodec_open2(ctx.get(), codec, opts.address());
    if (ret < 0) {
        if (error)
            *error = std::string("cannot open the decoder ") + codec->name + ": " + av::errorText(ret);
        return false;
    }
    m_ctx = std::move(ctx);
    return true;
}

int Decoder::send(const AVPacket *packet)
{
    return m_ctx ? avcodec_send_packet(m_ctx.get(), packet) : AVERROR(EINVAL);
}

int Decoder::receive(AVFrame *frame)
{
    return m_ctx ? avcodec_receive_frame(m_ctx.get(), frame) : AVERROR(EINVAL);
}

void Decoder::flush()
{
    if (m_ctx)
        avcodec_flush_buffers(m_ctx.get());
}

bool Decoder::pictureFits(int width, int height)
{
    return width > 0 && height > 0 && int64_t(width) * int64_t(height) <= kMaxPixels;
}
