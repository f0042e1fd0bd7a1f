#pragma once

#include "engine/av/decoder.h"
#include "engine/transcode/sectionwindow.h"

#include <cstdint>
#include <string>

// One input stream on its way to the output: decoder, then (in the kinds
// below) filter graph and an encoder sink.  A lane keeps all its state to
// itself, so that it could run on a thread of its own with queues between
// the reader, the lane and the sink.
class StreamLane {
public:
    StreamLane(const AVStream *stream, int64_t startPts, const SectionWindow &window);
    virtual ~StreamLane() = default;
    StreamLane(const StreamLane &) = delete;
    StreamLane &operator=(const StreamLane &) = delete;

    // threads: the decoder's and filter graph's; 0 = as many as the machine has.
    bool open(int threads, std::string *error);
    int streamIndex() const { return m_stream->index; }
    // Past the end of the section: the lane takes no more packets.
    bool done() const { return m_done; }
    // Packets the input delivered damaged or the decoder could not decode.
    int64_t damagedPackets() const { return m_damaged; }

    // Decodes one packet and passes its frames on.  A damaged packet costs
    // only its own frames: it is counted, not an error.
    bool feed(const AVPacket *packet, std::string *error);
    // The input has ended: drains the decoder and the filters.
    bool finish(std::string *error);

protected:
    // One decoded frame (the lane may change it; it is unreferenced after).
    virtual bool onFrame(AVFrame *frame, std::string *error) = 0;
    // Ends the filter graph's stream and passes on what it still holds.
    virtual bool endFilters(std::string *error) = 0;

    void markDone() { m_done = true; }
    // The frame's time in ms from the stream's first timestamp; false when
    // the frame has none.
    bool frameTime(const AVFrame *frame, double *ms) const;
    int threads() const { return m_threads; }

    const AVStream *const m_stream;
    const SectionWindow m_window;

private:
    bool receiveFrames(std::string *error);

    const int64_t m_startPts;
    Decoder m_decoder;
    av::FramePtr m_frame = av::makeFrame();
    bool m_done = false;
    int64_t m_damaged = 0;
    int m_threads = 0;
};
