#pragma once

#include "engine/av/encoder.h"
#include "engine/av/muxer.h"
#include "engine/transcode/progressmeter.h"

#include <atomic>
#include <string>

// One output stream: its encoder, and the muxer its packets go to.  Lives as
// long as the output, across all joined inputs.
//
// The muxer is the one object the sinks share; should the sinks ever run on
// threads of their own, their writes to it need a lock (or a queue).
class EncodeSink {
public:
    EncodeSink(Muxer &muxer, const std::atomic<bool> &stop, ProgressMeter &progress);
    virtual ~EncodeSink() = default;
    EncodeSink(const EncodeSink &) = delete;
    EncodeSink &operator=(const EncodeSink &) = delete;

    bool isOpen() const { return m_encoder.isOpen(); }
    AVCodecContext *context() const { return m_encoder.context(); }

protected:
    // Adds the opened encoder's stream to the muxer.
    bool addStream(const std::string &tag, std::string *error);
    // Sends a frame (nullptr: the end of the stream) and writes every packet
    // the encoder has ready.  kind names the stream in messages.
    bool encode(const AVFrame *frame, const char *kind, std::string *error);

    Encoder m_encoder;
    ProgressMeter &m_progress;

private:
    bool writePackets(std::string *error);

    Muxer &m_muxer;
    const std::atomic<bool> &m_stop;
    int m_stream = -1;
    av::PacketPtr m_packet = av::makePacket();
};
