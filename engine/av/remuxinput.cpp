#include "engine/av/remuxinput.h"

namespace av {

InputOpening openInput(const std::string &url, Dictionary *options, const AVIOInterruptCB *interrupt,
                       InputFormatPtr &ctx, const InputPreparation &prepare)
{
    quietLogs();
    ctx.reset();
    InputOpening result;
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw) {
        result.code = AVERROR(ENOMEM);
        return result;
    }
    if (interrupt)
        raw->interrupt_callback = *interrupt;
    if (prepare)
        prepare(raw);
    // avformat_open_input frees the context on failure.
    result.code = avformat_open_input(&raw, url.c_str(), nullptr, options ? options->address() : nullptr);
    if (result.code < 0)
        return result;
    ctx.reset(raw);
    result.code = avformat_find_stream_info(raw, nullptr);
    result.readingStreams = result.code < 0;
    if (result.code < 0)
        ctx.reset();
    return result;
}

CopyEnd copyPackets(AVFormatContext *input, const std::atomic<bool> &stop, const PacketHandler &handle,
                    int *readError)
{
    PacketPtr packet = makePacket();
    if (!packet) {
        *readError = AVERROR(ENOMEM);
        return CopyEnd::ReadFailed;
    }
    for (;;) {
        if (stop.load())
            return CopyEnd::Stopped;
        const int ret = av_read_frame(input, packet.get());
        if (ret == AVERROR_EOF)
            return CopyEnd::InputEnded;
        if (ret < 0) {
            *readError = ret;
            return ret == AVERROR_EXIT && stop.load() ? CopyEnd::Stopped : CopyEnd::ReadFailed;
        }
        const bool more = handle(packet.get());
        av_packet_unref(packet.get());
        if (!more)
            return CopyEnd::Refused;
    }
}

} // namespace av
