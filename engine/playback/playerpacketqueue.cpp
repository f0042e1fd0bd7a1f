#include "engine/playback/playerpacketqueue.h"

namespace playback {

namespace {
int64_t weight(const PacketPtr &packet)
{
    return packet ? packet->size + int64_t(sizeof(AVPacket)) : 0;
}
} // namespace

void PacketQueue::flush(int serial)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_items.clear();
    m_bytes = 0;
    m_serial = serial;
    m_cond.notify_all();
}

void PacketQueue::abort()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_abort = true;
    m_cond.notify_all();
}

void PacketQueue::put(PacketPtr packet)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_abort)
        return;
    m_bytes += weight(packet);
    m_items.push_back(Item{std::move(packet), m_serial});
    m_cond.notify_one();
}

bool PacketQueue::get(Item &item)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cond.wait(lock, [this] { return m_abort || !m_items.empty(); });
    if (m_abort)
        return false;
    item = std::move(m_items.front());
    m_items.pop_front();
    m_bytes -= weight(item.packet);
    return true;
}

int PacketQueue::count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_items.size());
}

int64_t PacketQueue::bytes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bytes;
}

} // namespace playback
