#pragma once

#include "engine/av/avptr.h"

#include <string>

// One stream's decoder.  Limits the picture size so that a hostile header
// cannot make it allocate without bound.
class Decoder {
public:
    static constexpr int64_t kMaxPixels = 16384LL * 16384LL;

    // threads: 0 = all cores.
    bool open(const AVStream *stream, int threads, std::string *error);
    void close() { m_ctx.reset(); }
    bool isOpen() const { return m_ctx != nullptr; }
    AVCodecContext *context() const { return m_ctx.get(); }

    // avcodec_send_packet / avcodec_receive_frame; packet nullptr drains.
    int send(const AVPacket *packet);
    int receive(AVFrame *frame);
    // Forgets buffered data (after a seek, or to decode again after draining).
    void flush();

    // True when a picture of this size is within the limit above.
    static bool pictureFits(int width, int height);

private:
    av::CodecContextPtr m_ctx;
};
