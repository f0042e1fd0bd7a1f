#include "engine/transcode/streamlane.h"

#include "engine/transcode/queuedepth.h"
#include "engine/transcode/stagecrew.h"

#include <algorithm>

StreamLane::StreamLane(const AVStream *stream, int64_t startPts, const SectionWindow &window)
    : m_stream(stream), m_window(window), m_startPts(startPts)
{
}

StreamLane::~StreamLane()
{
    halt();
}

bool StreamLane::open(int decoderThreads, std::string *error)
{
    if (!m_frame)
        return av::failWith(error, "out of memory");
    m_threads = std::max(0, decoderThreads);
    return m_decoder.open(m_stream, m_threads, error);
}

size_t StreamLane::frameQueueDepth() const
{
    return QueueDepth::kSoundFrames;
}

void StreamLane::runThreaded(StageCrew &crew)
{
    m_crew = &crew;
    const bool video = m_stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
    m_packets = std::make_unique<BoundedQueue<av::PacketPtr>>(kPacketQueue, &crew.stopFlag());
    m_frames = std::make_unique<BoundedQueue<av::FramePtr>>(frameQueueDepth(), &crew.stopFlag());
    crew.watch(m_packets.get());
    crew.watch(m_frames.get());
    m_decodeThread = crew.spawn(video ? "rm-vdecode" : "rm-adecode",
                                [this](std::string *error) { return decodeLoop(error); });
    m_frameThread = crew.spawn(video ? "rm-vfilter" : "rm-afilter",
                               [this](std::string *error) { return frameLoop(error); });
}

bool StreamLane::feed(AVPacket *packet, std::string *error)
{
    if (!m_packets)
        return decode(packet, error);
    av::PacketPtr queued = av::makePacket();
    if (!queued)
        return av::failWith(error, "out of memory");
    av_packet_move_ref(queued.get(), packet);
    return m_packets->push(std::move(queued)) || crewReason(error);
}

bool StreamLane::finish(std::string *error)
{
    if (m_packets) {
        m_packets->close();
        join();
        return !m_crew->failed() || crewReason(error);
    }
    if (!m_done.load() && !drainDecoder(error))
        return false;
    return endFilters(error);
}

void StreamLane::halt()
{
    if (!m_crew)
        return;
    if (m_decodeThread.joinable() || m_frameThread.joinable())
        m_crew->letGo("cancelled");
    join();
}

void StreamLane::join()
{
    if (m_decodeThread.joinable())
        m_decodeThread.join();
    if (m_frameThread.joinable())
        m_frameThread.join();
    if (m_crew) {
        m_crew->forget(m_packets.get());
        m_crew->forget(m_frames.get());
    }
}

bool StreamLane::crewReason(std::string *error) const
{
    return av::failWith(error, m_crew->failed() ? m_crew->reason() : std::string("stopped"));
}

bool StreamLane::decodeLoop(std::string *error)
{
    av::PacketPtr packet;
    bool ok = true;
    while (ok && m_packets->pop(packet)) {
        // Past the section the packets are only taken off the queue.
        if (!m_done.load())
            ok = decode(packet.get(), error);
        packet.reset();
    }
    if (ok && m_packets->aborted())
        ok = crewReason(error);
    if (ok && !m_done.load())
        ok = drainDecoder(error);
    m_frames->close();
    return ok;
}

bool StreamLane::frameLoop(std::string *error)
{
    av::FramePtr frame;
    bool ok = true;
    while (ok && m_frames->pop(frame)) {
        if (!m_done.load())
            ok = onFrame(frame.get(), error);
        frame.reset();
    }
    if (ok && m_frames->aborted())
        ok = crewReason(error);
    return ok && endFilters(error);
}

bool StreamLane::decode(const AVPacket *packet, std::string *error)
{
    bool damaged = packet->flags & AV_PKT_FLAG_CORRUPT;
    int ret = m_decoder.send(packet);
    if (ret == AVERROR(EAGAIN)) {
        // Frames are waiting: take them, then the packet goes in.
        if (!receiveFrames(error))
            return false;
        ret = m_decoder.send(packet);
    }
    if (ret == AVERROR(ENOMEM))
        return av::failWith(error, "out of memory");
    if (ret < 0)
        damaged = true;
    if (damaged)
        m_damaged.fetch_add(1);
    return receiveFrames(error);
}

bool StreamLane::drainDecoder(std::string *error)
{
    const int ret = m_decoder.send(nullptr);
    if (ret == AVERROR(ENOMEM))
        return av::failWith(error, "out of memory");
    // A threaded decoder reports a damaged packet late, here: the packet is
    // lost, the decoder drains all the same.
    if (ret < 0 && ret != AVERROR_EOF)
        m_damaged.fetch_add(1);
    return receiveFrames(error);
}

bool StreamLane::receiveFrames(std::string *error)
{
    // A decoder that keeps failing would otherwise hold the loop for ever.
    constexpr int kMaxErrorsInRow = 64;
    int errorsInRow = 0;
    for (;;) {
        const int ret = m_decoder.receive(m_frame.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret == AVERROR(ENOMEM))
            return av::failWith(error, "out of memory");
        if (ret < 0) {
            m_damaged.fetch_add(1);
            if (++errorsInRow >= kMaxErrorsInRow)
                return true;
            continue;
        }
        errorsInRow = 0;
        const bool ok = passOn(m_frame.get(), error);
        av_frame_unref(m_frame.get());
        if (!ok)
            return false;
    }
}

bool StreamLane::passOn(AVFrame *frame, std::string *error)
{
    if (m_done.load())
        return true;
    if (!m_frames)
        return onFrame(frame, error);
    av::FramePtr queued = av::makeFrame();
    if (!queued)
        return av::failWith(error, "out of memory");
    av_frame_move_ref(queued.get(), frame);
    return m_frames->push(std::move(queued)) || crewReason(error);
}

bool StreamLane::frameTime(const AVFrame *frame, double *ms) const
{
    int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = frame->pts;
    if (ts == AV_NOPTS_VALUE)
        return false;
    *ms = (ts - m_startPts) * av_q2d(m_stream->time_base) * 1000.0;
    return true;
}
