#include "engine/playback/playerframequeue.h"

namespace playback {

bool FrameQueue::push(DecodedFrame &&frame)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cond.wait(lock, [this] { return m_abort || m_frames.size() < m_capacity; });
    if (m_abort)
        return false;
    m_frames.push_back(std::move(frame));
    m_cond.notify_all();
    return true;
}

bool FrameQueue::front(int &serial, double &ptsMs, double &durationMs) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_frames.empty())
        return false;
    serial = m_frames.front().serial;
    ptsMs = m_frames.front().ptsMs;
    durationMs = m_frames.front().durationMs;
    return true;
}

bool FrameQueue::second(int &serial, double &ptsMs) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_frames.size() < 2)
        return false;
    serial = m_frames[1].serial;
    ptsMs = m_frames[1].ptsMs;
    return true;
}

bool FrameQueue::pop(DecodedFrame &frame)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_frames.empty())
        return false;
    frame = std::move(m_frames.front());
    m_frames.pop_front();
    m_cond.notify_all();
    return true;
}

void FrameQueue::abort()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_abort = true;
    m_cond.notify_all();
}

size_t FrameQueue::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frames.size();
}

} // namespace playback
