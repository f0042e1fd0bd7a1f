#pragma once

#include "engine/av/decoder.h"
#include "engine/playback/playbackstate.h"
#include "engine/playback/playerframequeue.h"
#include "engine/playback/playerpacketqueue.h"

#include <atomic>
#include <string>
#include <thread>

namespace playback {

// One stream of a playback: the demux thread puts packets in, the lane's
// decoder thread turns them into frames for its consumer.  When a packet of
// a new serial arrives the decoder is flushed; packets and frames of an old
// serial are dropped.  What becomes of a decoded frame is the subclass's
// business.
class PlayerLane {
public:
    PlayerLane(PlaybackState &state, size_t frameCapacity) : m_state(state), m_frames(frameCapacity) {}
    virtual ~PlayerLane();
    PlayerLane(const PlayerLane &) = delete;
    PlayerLane &operator=(const PlayerLane &) = delete;

    // Opens the stream's decoder (threads: 0 = all cores).
    bool open(const AVStream *stream, int threads, std::string *error);
    void start();
    // Wakes the thread out of both queues for good; it then ends.
    void abort();
    void join();

    PacketQueue &packets() { return m_packets; }
    FrameQueue &frames() { return m_frames; }
    const FrameQueue &frames() const { return m_frames; }
    // The serial whose packets have all been decoded (-1 before the first end).
    int drainedSerial() const { return m_drainedSerial; }

protected:
    // A decoded frame of the current serial.  Take what is kept with
    // av_frame_move_ref; false ends the thread (the frame queue was aborted).
    virtual bool deliver(AVFrame *frame, int serial) = 0;
    // False when packets are only followed to the end without decoding.
    virtual bool decodes() const { return true; }

    PlaybackState &m_state;

private:
    void run();
    bool decode(const AVPacket *packet, int serial);
    void markDrained(int serial);

    Decoder m_decoder;
    PacketQueue m_packets;
    FrameQueue m_frames;
    FramePtr m_frame = makeFrame();
    std::atomic<int> m_drainedSerial{-1};
    std::thread m_thread;
};

} // namespace playback
