#pragma once

// Owning smart pointers for the FFmpeg objects the engine creates.  Every
// AV* object lives in one of these so that no error path can leak it.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavformat/avio.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <mutex>
#include <string>

namespace av {

struct InputFormatDeleter {
    void operator()(AVFormatContext *c) const { avformat_close_input(&c); }
};
struct OutputFormatDeleter {
    void operator()(AVFormatContext *c) const
    {
        if (!c)
            return;
        if (c->pb && !(c->oformat->flags & AVFMT_NOFILE))
            avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
struct CodecContextDeleter {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FrameDeleter {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct FilterGraphDeleter {
    void operator()(AVFilterGraph *g) const { avfilter_graph_free(&g); }
};
struct SwsDeleter {
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};
struct SwrDeleter {
    void operator()(SwrContext *s) const { swr_free(&s); }
};
struct AudioFifoDeleter {
    void operator()(AVAudioFifo *f) const { av_audio_fifo_free(f); }
};
struct BufferRefDeleter {
    void operator()(AVBufferRef *b) const { av_buffer_unref(&b); }
};
struct IOContextDeleter {
    // A custom reader's context: its buffer goes with it (FFmpeg may have
    // replaced the one it was given).
    void operator()(AVIOContext *c) const
    {
        if (!c)
            return;
        av_freep(&c->buffer);
        avio_context_free(&c);
    }
};

using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatDeleter>;
using OutputFormatPtr = std::unique_ptr<AVFormatContext, OutputFormatDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, FilterGraphDeleter>;
using SwsPtr = std::unique_ptr<SwsContext, SwsDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, SwrDeleter>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, AudioFifoDeleter>;
using IOContextPtr = std::unique_ptr<AVIOContext, IOContextDeleter>;
using BufferRefPtr = std::unique_ptr<AVBufferRef, BufferRefDeleter>;

// An options dictionary for the calls that take one by address and hand
// back what they did not use.
class Dictionary {
public:
    Dictionary() = default;
    ~Dictionary() { av_dict_free(&m_dict); }
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    void set(const char *key, const char *value) { av_dict_set(&m_dict, key, value, 0); }
    AVDictionary **address() { return &m_dict; }

private:
    AVDictionary *m_dict = nullptr;
};

inline FramePtr makeFrame()
{
    return FramePtr(av_frame_alloc());
}
inline PacketPtr makePacket()
{
    return PacketPtr(av_packet_alloc());
}

// av_err2str for C++.
inline std::string errorText(int err)
{
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(err, buf, sizeof(buf));
    return buf;
}

// Stores the reason of a failure where the caller wants it; returns false
// so that a failing step can end with "return failWith(error, ...)".
inline bool failWith(std::string *error, std::string text)
{
    if (error)
        *error = std::move(text);
    return false;
}

// Sends FFmpeg's own log to the "reelmax.ffmpeg" logging category (off
// unless enabled): its lines are noise in a desktop program.  Called by
// every engine entry point; runs once.
void quietLogs();

} // namespace av
