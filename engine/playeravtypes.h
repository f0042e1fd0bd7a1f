#pragma once

// Owners for the FFmpeg objects used by the playback pipeline.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace playback {

struct PacketDeleter {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct FrameDeleter {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct CodecContextDeleter {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FormatContextDeleter {
    void operator()(AVFormatContext *c) const { avformat_close_input(&c); }
};
struct SwsDeleter {
    void operator()(SwsContext *c) const { sws_freeContext(c); }
};
struct SwrDeleter {
    void operator()(SwrContext *c) const { swr_free(&c); }
};
struct FilterGraphDeleter {
    void operator()(AVFilterGraph *g) const { avfilter_graph_free(&g); }
};

using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextDeleter>;
using SwsPtr = std::unique_ptr<SwsContext, SwsDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, SwrDeleter>;
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, FilterGraphDeleter>;

inline PacketPtr makePacket()
{
    return PacketPtr(av_packet_alloc());
}
inline FramePtr makeFrame()
{
    return FramePtr(av_frame_alloc());
}
// A new reference to the same picture or samples (null when src is null or on failure).
inline FramePtr refFrame(const AVFrame *src)
{
    if (!src)
        return {};
    FramePtr f = makeFrame();
    if (!f || av_frame_ref(f.get(), src) < 0)
        return {};
    return f;
}

} // namespace playback
