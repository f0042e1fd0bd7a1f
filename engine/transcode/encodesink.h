#pragma once

#include "engine/av/encoder.h"
#include "engine/av/muxer.h"
#include "engine/transcode/boundedqueue.h"
#include "engine/transcode/progressmeter.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

class StageCrew;

// One output stream: its encoder, and the muxer its packets go to.  Lives as
// long as the output, across all joined inputs.  It encodes on the caller's
// thread, or, between runThreaded() and settle(), on a thread of its own fed
// by a bounded queue (the muxer takes the sinks' packets under its lock).
class EncodeSink {
public:
    EncodeSink(Muxer &muxer, const std::atomic<bool> &stop, ProgressMeter &progress);
    virtual ~EncodeSink();
    EncodeSink(const EncodeSink &) = delete;
    EncodeSink &operator=(const EncodeSink &) = delete;

    bool isOpen() const { return m_encoder.isOpen(); }
    AVCodecContext *context() const { return m_encoder.context(); }

    // Frames fed from now on are encoded on a thread of the crew.
    void runThreaded(StageCrew &crew);
    // Waits until every queued frame is encoded (or, when the crew has
    // failed, until the thread has let go); the sink then encodes on the
    // caller's thread again.  False with the crew's reason when it failed.
    bool settle(std::string *error);

protected:
    // Lets a running thread go (the crew fails) and waits for it; derived
    // sinks call it first thing in their destructor, as the thread calls
    // into them.
    void halt();
    // Adds the opened encoder's stream to the muxer.
    bool addStream(const std::string &tag, std::string *error);
    // Threaded: queues the frame (taking its data) for encodeFrame(); else
    // encodes it at once.  timeBase is the frame's pts unit.
    bool take(AVFrame *frame, AVRational timeBase, std::string *error);
    // Encodes one frame handed to take(), on the sink's thread when it has one.
    virtual bool encodeFrame(AVFrame *frame, AVRational timeBase, std::string *error) = 0;
    // Sends a frame (nullptr: the end of the stream) and writes every packet
    // the encoder has ready.  kind names the stream in messages.
    bool encode(const AVFrame *frame, const char *kind, std::string *error);

    Encoder m_encoder;
    ProgressMeter &m_progress;

private:
    struct Queued {
        av::FramePtr frame;
        AVRational timeBase{0, 1};
    };
    bool writePackets(std::string *error);
    size_t queueDepth() const;
    bool encodeLoop(std::string *error);
    void join();

    Muxer &m_muxer;
    const std::atomic<bool> &m_stop;
    int m_stream = -1;
    av::PacketPtr m_packet = av::makePacket();

    StageCrew *m_crew = nullptr;
    std::unique_ptr<BoundedQueue<Queued>> m_queue;
    std::thread m_thread;
};
