#include "engine/transcode/encodesink.h"

#include "engine/transcode/queuedepth.h"
#include "engine/transcode/stagecrew.h"

EncodeSink::EncodeSink(Muxer &muxer, const std::atomic<bool> &stop, ProgressMeter &progress)
    : m_progress(progress), m_muxer(muxer), m_stop(stop)
{
}

EncodeSink::~EncodeSink()
{
    halt();
}

void EncodeSink::halt()
{
    // A sink destroyed with its thread running is a failed job's: the
    // thread must let go before the encoder goes.
    if (!m_queue)
        return;
    if (m_thread.joinable())
        m_crew->letGo("cancelled");
    join();
    m_crew = nullptr;
}

void EncodeSink::runThreaded(StageCrew &crew)
{
    if (!isOpen() || m_queue)
        return;
    m_crew = &crew;
    m_queue = std::make_unique<BoundedQueue<Queued>>(queueDepth(), &crew.stopFlag());
    crew.watch(m_queue.get());
    const bool video = m_encoder.context()->codec_type == AVMEDIA_TYPE_VIDEO;
    m_thread = crew.spawn(video ? "rm-vencode" : "rm-aencode",
                          [this](std::string *error) { return encodeLoop(error); });
}

size_t EncodeSink::queueDepth() const
{
    // Enough frames to ride out the encoder's uneven pace, within a memory
    // budget for large pictures.
    const AVCodecContext *c = m_encoder.context();
    if (c->codec_type == AVMEDIA_TYPE_VIDEO)
        return QueueDepth::pictures(c->width, c->height, 2);
    return QueueDepth::kSoundFrames;
}

bool EncodeSink::settle(std::string *error)
{
    if (!m_queue)
        return true;
    m_queue->close();
    join();
    const bool failed = m_crew->failed();
    const std::string reason = failed ? m_crew->reason() : std::string();
    m_crew = nullptr;
    return !failed || av::failWith(error, reason);
}

void EncodeSink::join()
{
    if (m_thread.joinable())
        m_thread.join();
    m_crew->forget(m_queue.get());
    m_queue.reset();
}

bool EncodeSink::take(AVFrame *frame, AVRational timeBase, std::string *error)
{
    if (!m_queue)
        return encodeFrame(frame, timeBase, error);
    Queued item;
    item.frame = av::makeFrame();
    if (!item.frame)
        return av::failWith(error, "out of memory");
    av_frame_move_ref(item.frame.get(), frame);
    item.timeBase = timeBase;
    if (m_queue->push(std::move(item)))
        return true;
    return av::failWith(error, m_crew->failed() ? m_crew->reason() : std::string("stopped"));
}

bool EncodeSink::encodeLoop(std::string *error)
{
    Queued item;
    while (m_queue->pop(item)) {
        const bool ok = encodeFrame(item.frame.get(), item.timeBase, error);
        item.frame.reset();
        if (!ok)
            return false;
    }
    return !m_queue->aborted() || av::failWith(error, "stopped");
}

bool EncodeSink::addStream(const std::string &tag, std::string *error)
{
    m_stream = m_muxer.addStream(m_encoder.context(), tag, error);
    return m_stream >= 0;
}

bool EncodeSink::encode(const AVFrame *frame, const char *kind, std::string *error)
{
    int ret = m_encoder.send(frame);
    if (ret == AVERROR(EAGAIN)) {
        // The encoder wants its packets taken first.
        if (!writePackets(error))
            return false;
        ret = m_encoder.send(frame);
    }
    if (ret < 0 && !(ret == AVERROR_EOF && !frame))
        return av::failWith(error, std::string(kind) + " encoding failed: " + av::errorText(ret));
    return writePackets(error);
}

bool EncodeSink::writePackets(std::string *error)
{
    for (;;) {
        if (m_stop.load())
            return av::failWith(error, "stopped");
        const int ret = m_encoder.receive(m_packet.get());
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0)
            return av::failWith(error, "encoding failed: " + av::errorText(ret));
        const bool ok = m_muxer.write(m_packet.get(), m_stream, m_encoder.context()->time_base, error);
        av_packet_unref(m_packet.get());
        if (!ok)
            return false;
    }
}
