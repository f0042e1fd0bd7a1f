#include "engine/playback/playerlane.h"

namespace playback {

PlayerLane::~PlayerLane()
{
    abort();
    join();
}

bool PlayerLane::open(const AVStream *stream, int threads, std::string *error)
{
    return m_decoder.open(stream, threads, error);
}

void PlayerLane::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

void PlayerLane::abort()
{
    m_packets.abort();
    m_frames.abort();
}

void PlayerLane::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void PlayerLane::run()
{
    int serial = -1;
    PacketQueue::Item item;
    while (!m_state.abort && m_packets.get(item)) {
        if (item.serial != serial) {
            m_decoder.flush();
            serial = item.serial;
        }
        if (serial != m_packets.serial())
            continue; // stale: a seek came after it
        if (!decodes()) {
            if (!item.packet)
                markDrained(serial);
            continue;
        }
        if (!decode(item.packet.get(), serial))
            return;
    }
}

bool PlayerLane::decode(const AVPacket *packet, int serial)
{
    if (m_decoder.send(packet) < 0 && packet)
        return true; // a damaged packet; the next key frame recovers
    for (;;) {
        const int ret = m_decoder.receive(m_frame.get());
        if (ret == AVERROR_EOF) {
            m_decoder.flush(); // ready for the next serial
            markDrained(serial);
            return true;
        }
        if (ret < 0)
            return true;
        const bool fresh = serial == m_packets.serial();
        const bool go = !fresh || deliver(m_frame.get(), serial);
        av_frame_unref(m_frame.get());
        if (!go)
            return false;
    }
}

void PlayerLane::markDrained(int serial)
{
    m_drainedSerial = serial;
    m_state.wakePresenter();
}

} // namespace playback
