#include "engine/playback/playersession.h"

#include "engine/playback/playervideooutput.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

namespace playback {

namespace {
constexpr int64_t kMaxQueuedBytes = 16 * 1024 * 1024;
constexpr int kEnoughPackets = 25;
// Packets this far past the section end mean the section has been read.
constexpr double kSectionEndMarginMs = 500.0;

int interruptCallback(void *opaque)
{
    return static_cast<std::atomic<bool> *>(opaque)->load() ? 1 : 0;
}

CodecContextPtr openDecoder(const AVStream *st, int threads, std::string *error)
{
    const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) {
        if (error)
            *error = "no decoder for " + std::string(avcodec_get_name(st->codecpar->codec_id));
        return {};
    }
    CodecContextPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx || avcodec_parameters_to_context(ctx.get(), st->codecpar) < 0)
        return {};
    ctx->pkt_timebase = st->time_base;
    ctx->thread_count = threads;
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0) {
        if (error)
            *error = "cannot open the decoder " + std::string(codec->name);
        return {};
    }
    return ctx;
}
} // namespace

PlayerSession::PlayerSession(CFilterSetters &filters, VideoOutput &output, AudioOutput &audio)
    : m_filters(filters), m_output(output), m_audio(audio)
{
}

PlayerSession::~PlayerSession()
{
    shutdown();
}

bool PlayerSession::open(const std::string &path, std::string *error)
{
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw)
        return false;
    raw->interrupt_callback.callback = &interruptCallback;
    raw->interrupt_callback.opaque = &m_abort;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        if (error)
            *error = "cannot open " + path;
        return false; // raw is freed on failure
    }
    m_format.reset(raw);
    if (avformat_find_stream_info(m_format.get(), nullptr) < 0) {
        if (error)
            *error = "cannot read the streams of " + path;
        return false;
    }
    std::string decoderError;
    int v = av_find_best_stream(m_format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (v >= 0 && !(m_format->streams[v]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
        m_videoCodec = openDecoder(m_format->streams[v], 0, &decoderError);
        if (m_videoCodec)
            m_videoStream = v;
    }
    int a = av_find_best_stream(m_format.get(), AVMEDIA_TYPE_AUDIO, -1, v >= 0 ? v : -1, nullptr, 0);
    if (a >= 0) {
        m_audioCodec = openDecoder(m_format->streams[a], 1, &decoderError);
        if (m_audioCodec && m_audioCodec->sample_rate > 0 && m_audioCodec->ch_layout.nb_channels > 0)
            m_audioStream = a;
        else
            m_audioCodec.reset();
    }
    if (m_videoStream < 0 && m_audioStream < 0) {
        if (error)
            *error = decoderError.empty() ? "no playable stream in " + path : decoderError;
        m_format.reset();
        return false;
    }
    m_startOffsetMs = m_format->start_time != AV_NOPTS_VALUE ? m_format->start_time / 1000.0 : 0.0;
    m_durationMs = m_format->duration > 0 ? m_format->duration / 1000.0 : 0.0;
    return true;
}

void PlayerSession::setSection(int64_t startMs, int64_t endMs)
{
    const int64_t start = std::max<int64_t>(0, startMs);
    const int64_t end = endMs > start ? endMs : -1;
    const bool changed = start != m_sectionStart || end != m_sectionEnd;
    m_sectionStart = start;
    m_sectionEnd = end;
    if (changed && m_started)
        seek(0);
}

void PlayerSession::startThreads()
{
    if (m_audioStream >= 0)
        openAudioDevice();
    m_demuxThread = std::thread([this] { demuxLoop(); });
    if (m_videoStream >= 0)
        m_videoThread = std::thread([this] { videoDecodeLoop(); });
    if (m_audioStream >= 0)
        m_audioThread = std::thread([this] { audioDecodeLoop(); });
    m_presentThread = std::thread([this] { presentLoop(); });
    m_started = true;
}

void PlayerSession::play()
{
    if (!m_format)
        return;
    if (!m_started) {
        {
            std::lock_guard<std::mutex> lock(m_controlMutex);
            if (!m_seekRequested && m_sectionStart > 0) {
                m_seekRequested = true;
                m_seekTargetMs = double(m_sectionStart);
            }
            m_positionPending = true;
            m_pendingPositionMs = m_seekRequested ? m_seekTargetMs : double(m_sectionStart);
        }
        startThreads();
    } else if (m_status == 3 && m_restartOnPlay) {
        seek(0);
    }
    m_restartOnPlay = false;
    m_status = 1;
    m_clock.setPaused(false);
    setDevicePaused(false);
    m_presentCond.notify_all();
}

void PlayerSession::pause()
{
    int expected = 1;
    if (!m_status.compare_exchange_strong(expected, 2))
        return;
    m_clock.setPaused(true);
    setDevicePaused(true);
}

void PlayerSession::seek(double ms)
{
    const double target = double(m_sectionStart) + std::max(0.0, ms);
    {
        std::lock_guard<std::mutex> lock(m_controlMutex);
        m_seekRequested = true;
        m_seekTargetMs = target;
        m_pendingPositionMs = target;
        m_positionPending = true;
    }
    m_restartOnPlay = false;
    if (m_status != 1)
        m_stepPending = true;
    m_controlCond.notify_all();
    m_presentCond.notify_all();
}

double PlayerSession::position() const
{
    const double start = double(m_sectionStart);
    double pos = m_positionPending ? m_pendingPositionMs.load() : m_clock.get();
    if (!m_started && !m_positionPending)
        pos = start;
    pos -= start;
    const int64_t end = m_sectionEnd;
    const double length = end >= 0 ? double(end) - start : m_durationMs - start;
    if (length > 0 && pos > length && !m_positionPending)
        pos = length;
    return std::max(0.0, pos);
}

void PlayerSession::setVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 128);
}

void PlayerSession::requestStop()
{
    m_abort = true;
    {
        std::lock_guard<std::mutex> lock(m_controlMutex);
        m_controlCond.notify_all();
    }
    m_videoPackets.abort();
    m_audioPackets.abort();
    m_videoFrames.abort();
    m_audioFrames.abort();
    {
        std::lock_guard<std::mutex> lock(m_presentMutex);
        m_presentCond.notify_all();
    }
    if (m_audioAttached)
        m_audio.detach(this); // waits for a running callback
}

void PlayerSession::shutdown()
{
    requestStop();
    for (std::thread *t : {&m_demuxThread, &m_videoThread, &m_audioThread, &m_presentThread})
        if (t->joinable())
            t->join();
    m_videoFrames.clear();
    m_audioFrames.clear();
    m_videoPackets.flush();
    m_audioPackets.flush();
    m_audioCurrent = DecodedFrame();
    m_audioAttached = false;
    m_status = 3;
    m_started = false;
}

double PlayerSession::streamMs(int64_t ts, const AVStream *st) const
{
    return double(ts) * av_q2d(st->time_base) * 1000.0 - m_startOffsetMs;
}

bool PlayerSession::queuesFull() const
{
    if (m_videoPackets.bytes() + m_audioPackets.bytes() > kMaxQueuedBytes)
        return true;
    const bool videoEnough = m_videoStream < 0 || m_videoPackets.count() > kEnoughPackets;
    const bool audioEnough = m_audioStream < 0 || m_audioPackets.count() > kEnoughPackets;
    return videoEnough && audioEnough;
}

void PlayerSession::doSeek()
{
    double target = 0.0;
    {
        std::lock_guard<std::mutex> lock(m_controlMutex);
        target = m_seekTargetMs;
        m_seekRequested = false;
    }
    const int64_t ts = int64_t((target + m_startOffsetMs) * 1000.0);
    if (avformat_seek_file(m_format.get(), -1, INT64_MIN, ts, ts, 0) < 0 &&
        avformat_seek_file(m_format.get(), -1, INT64_MIN, ts, INT64_MAX, 0) < 0)
        qWarning("player: seek to [%.0f] ms failed", target);
    // Frames of the new serial before the target are decoded but not shown.
    m_targetMs = target;
    m_targetSerial = m_videoPackets.serial() + 1;
    m_videoPackets.flush();
    m_audioPackets.flush();
    m_presentCond.notify_all();
}

void PlayerSession::demuxLoop()
{
    bool videoPastEnd = false, audioPastEnd = false;
    bool atEnd = false;
    while (!m_abort) {
        bool seekNow = false;
        {
            std::unique_lock<std::mutex> lock(m_controlMutex);
            if (!m_seekRequested && (atEnd || queuesFull()))
                m_controlCond.wait_for(lock, std::chrono::milliseconds(10));
            seekNow = m_seekRequested;
        }
        if (m_abort)
            break;
        if (seekNow) {
            doSeek();
            videoPastEnd = audioPastEnd = atEnd = false;
            continue;
        }
        if (atEnd || queuesFull())
            continue;

        PacketPtr pkt = makePacket();
        const int ret = av_read_frame(m_format.get(), pkt.get());
        if (ret < 0) {
            if (ret == AVERROR(EAGAIN)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            if (ret != AVERROR_EOF && !m_abort)
                qWarning("player: read error [%d], treated as the end of the file", ret);
            atEnd = true;
        } else {
            const int64_t end = m_sectionEnd;
            const AVStream *st = m_format->streams[pkt->stream_index];
            const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            const bool past =
                end >= 0 && ts != AV_NOPTS_VALUE && streamMs(ts, st) > end + kSectionEndMarginMs;
            if (pkt->stream_index == m_videoStream) {
                if (past)
                    videoPastEnd = true;
                else
                    m_videoPackets.put(std::move(pkt));
            } else if (pkt->stream_index == m_audioStream) {
                if (past)
                    audioPastEnd = true;
                else
                    m_audioPackets.put(std::move(pkt));
            }
            atEnd = (m_videoStream < 0 || videoPastEnd) && (m_audioStream < 0 || audioPastEnd);
        }
        if (atEnd) {
            m_videoPackets.putEndOfStream();
            m_audioPackets.putEndOfStream();
            m_eofSerial = m_videoPackets.serial();
            m_presentCond.notify_all();
        }
    }
}

void PlayerSession::markFinished()
{
    int expected = 1;
    if (m_status.compare_exchange_strong(expected, 3)) {
        m_restartOnPlay = true;
        m_clock.setPaused(true);
        setDevicePaused(true);
    }
}

} // namespace playback
