#pragma once

#include "engine/av/decoder.h"
#include "engine/transcode/boundedqueue.h"
#include "engine/transcode/sectionwindow.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

class StageCrew;

// One input stream on its way to the output: decoder, then (in the kinds
// below) filter graph and an encoder sink.  A lane keeps all its state to
// itself.  It runs on the reader's thread, or on two threads of its own
// (decoding; filtering and handing on) joined to the reader and to each
// other by bounded queues.
class StreamLane {
public:
    // How many packets wait for the decoder, and decoded frames for the filters.
    static constexpr size_t kPacketQueue = 16;

    StreamLane(const AVStream *stream, int64_t startPts, const SectionWindow &window);
    virtual ~StreamLane();
    StreamLane(const StreamLane &) = delete;
    StreamLane &operator=(const StreamLane &) = delete;

    // decoderThreads: the decoder's and filter graph's own threads (0 = as
    // many as suit the cores).
    bool open(int decoderThreads, std::string *error);
    int streamIndex() const { return m_stream->index; }
    // Past the end of the section: the lane takes no more packets.
    bool done() const { return m_done.load(); }
    // Packets the input delivered damaged or the decoder could not decode.
    int64_t damagedPackets() const { return m_damaged.load(); }

    // From here on decoding and the frames' way on run on threads of the
    // crew; feed() only queues the packet.
    void runThreaded(StageCrew &crew);

    // Decodes one packet and passes its frames on (threaded: queues it).
    // Takes the packet's data.  A damaged packet costs only its own frames:
    // it is counted, not an error.
    bool feed(AVPacket *packet, std::string *error);
    // The input has ended: drains the decoder and the filters (threaded:
    // waits for both threads to finish).
    bool finish(std::string *error);
    // Threaded: lets the threads go without draining (the crew has failed).
    void halt();

protected:
    // One decoded frame (the lane may change it; it is unreferenced after).
    virtual bool onFrame(AVFrame *frame, std::string *error) = 0;
    // Ends the filter graph's stream and passes on what it still holds.
    virtual bool endFilters(std::string *error) = 0;
    // Decoded frames that may wait for the filters.
    virtual size_t frameQueueDepth() const;

    void markDone() { m_done.store(true); }
    // The frame's time in ms from the stream's first timestamp; false when
    // the frame has none.
    bool frameTime(const AVFrame *frame, double *ms) const;
    int threads() const { return m_threads; }

    const AVStream *const m_stream;
    const SectionWindow m_window;

private:
    bool decode(const AVPacket *packet, std::string *error);
    bool drainDecoder(std::string *error);
    bool receiveFrames(std::string *error);
    // A decoded frame goes to the filters, or into the queue before them.
    bool passOn(AVFrame *frame, std::string *error);
    bool decodeLoop(std::string *error);
    bool frameLoop(std::string *error);
    bool crewReason(std::string *error) const;
    void join();

    const int64_t m_startPts;
    Decoder m_decoder;
    av::FramePtr m_frame = av::makeFrame();
    std::atomic<bool> m_done{false};
    std::atomic<int64_t> m_damaged{0};
    int m_threads = 0;

    StageCrew *m_crew = nullptr;
    std::unique_ptr<BoundedQueue<av::PacketPtr>> m_packets;
    std::unique_ptr<BoundedQueue<av::FramePtr>> m_frames;
    std::thread m_decodeThread;
    std::thread m_frameThread;
};
