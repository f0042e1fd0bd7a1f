#include "engine/transcode/inputcursor.h"

#include "engine/av/enginelog.h"

#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <thread>

namespace {

// A shorter end than claimed by less than this is how containers round.
constexpr double kEarlyEndMarginMs = 1000.0;
// Reads in a row that a damaged input may fail before it counts as unreadable.
constexpr int kMaxBadReadsInRow = 100;

// "hh:mm:ss.mmm" for a time in ms.
std::string clockText(double ms)
{
    const int64_t total = std::max<int64_t>(0, int64_t(ms + 0.5));
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%02" PRId64 ":%02" PRId64 ":%02" PRId64 ".%03" PRId64, total / 3600000,
                  total / 60000 % 60, total / 1000 % 60, total % 1000);
    return buf;
}

} // namespace

InputCursor::InputCursor(std::string name, std::unique_ptr<Demuxer> demuxer, const std::atomic<bool> &stop,
                         ProgressMeter &progress)
    : m_name(std::move(name)), m_demuxer(std::move(demuxer)), m_stop(stop), m_progress(progress),
      m_claimedMs(std::max(0.0, m_demuxer->durationMs()))
{
}

bool InputCursor::discontinuous() const
{
    const AVFormatContext *ctx = m_demuxer->context();
    return ctx && (ctx->iformat->flags & AVFMT_TS_DISCONT);
}

void InputCursor::begin(int videoIndex, int audioIndex)
{
    m_video = videoIndex;
    m_audio = audioIndex;
    // Streams the output does not take are not even read.
    for (int index : {m_demuxer->videoIndex(), m_demuxer->audioIndex()})
        if (index >= 0 && !wanted(index))
            m_demuxer->stream(index)->discard = AVDISCARD_ALL;
    AVIOContext *pb = m_demuxer->context()->pb;
    // A failed read while the streams were probed, which the opening got
    // over, is not one of the reads that follow.
    if (pb)
        pb->error = 0;
    if (m_window.startMs > 0)
        m_demuxer->seekMs(int64_t(m_window.startMs));
    m_size = pb ? avio_size(pb) : 0;
    m_reachedMs = m_window.startMs;
    if (m_window.openEnded())
        m_progress.measureBytes();
}

InputCursor::Read InputCursor::next(AVPacket *packet, std::string *error)
{
    for (;;) {
        if (m_stop.load())
            return stopped(error);
        const int ret = m_demuxer->read(packet);
        if (ret >= 0) {
            m_badReadsInRow = 0;
            if (wanted(packet->stream_index)) {
                account(packet);
                return Read::Packet;
            }
            av_packet_unref(packet);
            continue;
        }
        const AVIOContext *pb = m_demuxer->context()->pb;
        if (pb && pb->error < 0 && pb->error != AVERROR_EOF)
            return readFailed(pb->error, error);
        if (ret == AVERROR_EOF || (pb && avio_feof(const_cast<AVIOContext *>(pb))))
            return atEnd();
        if (ret == AVERROR_EXIT || m_stop.load())
            return stopped(error);
        if (ret == AVERROR(EAGAIN)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        // Damage the demuxer could not step over by itself: try on.
        ++m_damagedReads;
        if (++m_badReadsInRow >= kMaxBadReadsInRow)
            return readFailed(ret, error);
    }
}

void InputCursor::account(AVPacket *packet)
{
    const AVStream *st = m_demuxer->stream(packet->stream_index);
    if (discontinuous())
        m_continuity.fix(packet, st->time_base, packet->stream_index == m_video);
    m_progress.bytesRead(packet->pos, m_size);
    int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    if (ts == AV_NOPTS_VALUE)
        return;
    ts += std::max<int64_t>(0, packet->duration) - m_demuxer->startPts(packet->stream_index);
    m_reachedMs = std::max(m_reachedMs, ts * av_q2d(st->time_base) * 1000.0);
}

InputCursor::Read InputCursor::atEnd()
{
    const double claimed = claimedFor(m_video, m_audio);
    const double due = std::min(m_window.endMs, claimed);
    if (!m_window.openEnded() && claimed > 0 && m_reachedMs < due - kEarlyEndMarginMs) {
        m_endedEarly = true;
        qCWarning(lcEngine,
                  "input ends early: [%s] claims [%s], its data ends at [%s]; converting what there is",
                  m_name.c_str(), clockText(claimed).c_str(), clockText(m_reachedMs).c_str());
    }
    return Read::End;
}

InputCursor::Read InputCursor::stopped(std::string *error)
{
    av::failWith(error, "stopped");
    return Read::Failed;
}

InputCursor::Read InputCursor::readFailed(int err, std::string *error) const
{
    av::failWith(error,
                 "cannot read [" + m_name + "] after " + clockText(m_reachedMs) + ": " + av::errorText(err));
    return Read::Failed;
}

double InputCursor::convertedMs() const
{
    if (m_endedEarly || m_window.openEnded())
        return std::max(0.0, m_reachedMs - m_window.startMs);
    return m_window.endMs - m_window.startMs;
}

double InputCursor::claimedFor(int videoIndex, int audioIndex) const
{
    // The streams' own lengths where they have them: a container's length
    // may belong to a stream the output does not take.
    double longest = 0.0;
    for (int index : {videoIndex, audioIndex}) {
        const AVStream *st = m_demuxer->stream(index);
        if (st && st->duration > 0 && st->duration != AV_NOPTS_VALUE)
            longest = std::max(longest, st->duration * av_q2d(st->time_base) * 1000.0);
    }
    return longest > 0 ? longest : m_claimedMs;
}
