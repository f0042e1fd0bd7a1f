#include "engine/playback/playerreader.h"

#include "engine/av/demuxer.h"
#include "engine/av/enginelog.h"
#include "engine/playback/playerlane.h"

#include <QDebug>

#include <chrono>
#include <cmath>

namespace playback {

namespace {
constexpr int64_t kMaxQueuedBytes = 16 * 1024 * 1024;
constexpr int kEnoughPackets = 25;
// Packets this far past the section end mean the section has been read.
constexpr double kSectionEndMarginMs = 500.0;
constexpr auto kFullWait = std::chrono::milliseconds(10);
constexpr auto kRetryWait = std::chrono::milliseconds(5);
} // namespace

void PlayerReader::requestSeek(double ms)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_seekTargetMs = ms;
        m_state.pendingPositionMs = ms;
        m_state.positionPending = true;
        m_state.seekRequested = true;
    }
    m_cond.notify_all();
}

void PlayerReader::prepareStart(double sectionStartMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_state.seekRequested && sectionStartMs > 0) {
        m_state.seekRequested = true;
        m_seekTargetMs = sectionStartMs;
    }
    m_state.positionPending = true;
    m_state.pendingPositionMs = m_state.seekRequested ? m_seekTargetMs : sectionStartMs;
}

void PlayerReader::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

void PlayerReader::wake()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cond.notify_all();
}

void PlayerReader::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void PlayerReader::run()
{
    while (!m_state.abort) {
        const bool seek = waitForWork();
        if (m_state.abort)
            break;
        if (seek) {
            seekNow();
        } else if (!m_atEnd && !queuesFull()) {
            readPacket();
            if (m_atEnd)
                endStreams();
        }
    }
}

// Sleeps a little while the queues are full or the file has been read;
// true when a seek is due.
bool PlayerReader::waitForWork()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_state.seekRequested && (m_atEnd || queuesFull()))
        m_cond.wait_for(lock, kFullWait);
    return m_state.seekRequested;
}

void PlayerReader::seekNow()
{
    double target = 0.0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        target = m_seekTargetMs;
        m_state.seekRequested = false;
    }
    if (!m_demuxer.seekMs(int64_t(std::floor(target))))
        qCWarning(lcPlayer, "player: seek to [%.0f] ms failed", target);
    // The state's serial moves first: frames of the new serial must never
    // look stale to their consumers.
    const int serial = m_state.serial + 1;
    m_state.targetMs = target;
    m_state.targetSerial = serial;
    m_state.serial = serial;
    for (Route *r : {&m_video, &m_audio}) {
        r->pastEnd = false;
        if (r->lane)
            r->lane->packets().flush(serial);
    }
    m_atEnd = false;
    m_state.wakePresenter();
}

void PlayerReader::readPacket()
{
    PacketPtr packet = makePacket();
    const int ret = m_demuxer.read(packet.get());
    if (ret == AVERROR(EAGAIN)) {
        std::this_thread::sleep_for(kRetryWait);
        return;
    }
    if (ret < 0) {
        if (ret != AVERROR_EOF && !m_state.abort)
            qCWarning(lcPlayer, "player: read error [%d], treated as the end of the file", ret);
        m_atEnd = true;
        return;
    }
    if (Route *r = routeOf(packet->stream_index)) {
        if (pastSectionEnd(packet.get()))
            r->pastEnd = true;
        else
            r->lane->packets().put(std::move(packet));
    }
    m_atEnd = (!m_video.lane || m_video.pastEnd) && (!m_audio.lane || m_audio.pastEnd);
}

PlayerReader::Route *PlayerReader::routeOf(int streamIndex)
{
    for (Route *r : {&m_video, &m_audio})
        if (r->lane && r->index == streamIndex)
            return r;
    return nullptr;
}

bool PlayerReader::pastSectionEnd(const AVPacket *packet) const
{
    const int64_t end = m_state.sectionEnd;
    const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (end < 0 || ts == AV_NOPTS_VALUE)
        return false;
    const AVStream *st = m_demuxer.stream(packet->stream_index);
    return st && m_state.streamMs(ts, st->time_base) > double(end) + kSectionEndMarginMs;
}

bool PlayerReader::queuesFull() const
{
    int64_t bytes = 0;
    bool enough = true;
    for (const Route *r : {&m_video, &m_audio}) {
        if (!r->lane)
            continue;
        bytes += r->lane->packets().bytes();
        enough = enough && r->lane->packets().count() > kEnoughPackets;
    }
    return bytes > kMaxQueuedBytes || enough;
}

void PlayerReader::endStreams()
{
    for (Route *r : {&m_video, &m_audio})
        if (r->lane)
            r->lane->packets().putEndOfStream();
    m_state.eofSerial = m_state.serial.load();
    m_state.wakePresenter();
}

} // namespace playback
