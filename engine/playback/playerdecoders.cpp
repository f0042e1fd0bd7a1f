// Decoder threads and the sound device callback of the playback pipeline.
#include "engine/playback/playersession.h"

#include <QDebug>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace playback {

void PlayerSession::videoDecodeLoop()
{
    AVCodecContext *ctx = m_videoCodec.get();
    const AVStream *st = m_format->streams[m_videoStream];
    const AVRational rate = av_guess_frame_rate(m_format.get(), const_cast<AVStream *>(st), nullptr);
    const double frameMs = rate.num > 0 && rate.den > 0 ? 1000.0 / av_q2d(rate) : 40.0;
    int serial = -1;
    FramePtr frame = makeFrame();
    while (!m_abort) {
        PacketQueue::Item item;
        if (!m_videoPackets.get(item))
            break;
        if (item.serial != serial) {
            avcodec_flush_buffers(ctx);
            serial = item.serial;
        }
        if (serial != m_videoPackets.serial())
            continue; // stale: a seek came after it
        const bool drain = !item.packet;
        if (avcodec_send_packet(ctx, item.packet.get()) < 0 && !drain)
            continue; // a damaged packet; the next key frame recovers
        for (;;) {
            const int ret = avcodec_receive_frame(ctx, frame.get());
            if (ret == AVERROR_EOF) {
                avcodec_flush_buffers(ctx);
                m_videoDrainedSerial = serial;
                m_presentCond.notify_all();
                break;
            }
            if (ret < 0)
                break;
            const int64_t ts = frame->best_effort_timestamp;
            if (ts == AV_NOPTS_VALUE || serial != m_videoPackets.serial()) {
                av_frame_unref(frame.get());
                continue;
            }
            const double pts = streamMs(ts, st);
            const double duration = frame->pkt_duration > 0
                                        ? double(frame->pkt_duration) * av_q2d(st->time_base) * 1000.0
                                        : frameMs;
            const int64_t end = m_sectionEnd;
            const bool beforeTarget = serial == m_targetSerial && pts + duration <= m_targetMs + 0.5;
            if (beforeTarget || (end >= 0 && pts >= double(end))) {
                av_frame_unref(frame.get());
                continue;
            }
            DecodedFrame out;
            out.picture = std::move(frame);
            out.serial = serial;
            out.ptsMs = pts;
            out.durationMs = duration;
            frame = makeFrame();
            if (!m_videoFrames.push(std::move(out)))
                return;
            m_presentCond.notify_all();
        }
    }
}

void PlayerSession::audioDecodeLoop()
{
    AVCodecContext *ctx = m_audioCodec.get();
    const AVStream *st = m_format->streams[m_audioStream];
    const bool decode = m_audioAttached;
    int serial = -1;
    double nextPts = 0.0;
    FramePtr frame = makeFrame();
    AVChannelLayout outLayout;
    av_channel_layout_default(&outLayout, m_outChannels > 0 ? m_outChannels : 2);
    int inRate = 0, inFormat = -1;
    AVChannelLayout inLayout{};
    while (!m_abort) {
        PacketQueue::Item item;
        if (!m_audioPackets.get(item))
            break;
        if (item.serial != serial) {
            avcodec_flush_buffers(ctx);
            serial = item.serial;
        }
        if (serial != m_audioPackets.serial())
            continue;
        if (!decode) {
            // No device: the stream is read only to know where it ends.
            if (!item.packet)
                m_audioDrainedSerial = serial;
            continue;
        }
        const bool drain = !item.packet;
        if (avcodec_send_packet(ctx, item.packet.get()) < 0 && !drain)
            continue;
        for (;;) {
            const int ret = avcodec_receive_frame(ctx, frame.get());
            if (ret == AVERROR_EOF) {
                avcodec_flush_buffers(ctx);
                m_audioDrainedSerial = serial;
                break;
            }
            if (ret < 0)
                break;
            const double duration =
                frame->sample_rate > 0 ? 1000.0 * frame->nb_samples / frame->sample_rate : 0.0;
            const int64_t ts = frame->best_effort_timestamp;
            const double pts = ts != AV_NOPTS_VALUE ? streamMs(ts, st) : nextPts;
            nextPts = pts + duration;
            const int64_t end = m_sectionEnd;
            const bool beforeTarget = serial == m_targetSerial && pts + duration <= m_targetMs;
            if (serial != m_audioPackets.serial() || beforeTarget || (end >= 0 && pts >= double(end))) {
                av_frame_unref(frame.get());
                continue;
            }
            if (!m_resampler || frame->sample_rate != inRate || frame->format != inFormat ||
                av_channel_layout_compare(&frame->ch_layout, &inLayout) != 0) {
                SwrContext *swr = nullptr;
                if (swr_alloc_set_opts2(&swr, &outLayout, AV_SAMPLE_FMT_S16, m_outRate, &frame->ch_layout,
                                        AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr) < 0 ||
                    swr_init(swr) < 0) {
                    swr_free(&swr);
                    qWarning("player: cannot convert the sound to the device format");
                    m_resampler.reset();
                    av_frame_unref(frame.get());
                    continue;
                }
                m_resampler.reset(swr);
                inRate = frame->sample_rate;
                inFormat = frame->format;
                av_channel_layout_uninit(&inLayout);
                av_channel_layout_copy(&inLayout, &frame->ch_layout);
            }
            const int maxOut = swr_get_out_samples(m_resampler.get(), frame->nb_samples) + 32;
            DecodedFrame out;
            out.samples.resize(size_t(maxOut) * size_t(m_outChannels) * 2);
            uint8_t *dst = out.samples.data();
            const int got =
                swr_convert(m_resampler.get(), &dst, maxOut,
                            const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples);
            av_frame_unref(frame.get());
            if (got <= 0)
                continue;
            out.samples.resize(size_t(got) * size_t(m_outChannels) * 2);
            out.serial = serial;
            out.ptsMs = pts;
            out.durationMs = 1000.0 * got / m_outRate;
            if (!m_audioFrames.push(std::move(out)))
                break;
        }
    }
    av_channel_layout_uninit(&inLayout);
    av_channel_layout_uninit(&outLayout);
}

bool PlayerSession::openAudioDevice()
{
    std::string error;
    if (!m_audio.ensureOpen(&error)) {
        qDebug("player: %s; the picture runs on the system clock", error.c_str());
        return false;
    }
    m_outRate = m_audio.sampleRate();
    m_outChannels = m_audio.channels();
    m_audio.attach(this, [this](uint8_t *b, int n) { fillAudio(b, n); });
    m_audioAttached = true;
    return true;
}

void PlayerSession::setDevicePaused(bool paused)
{
    if (m_audioAttached)
        m_audio.setPaused(this, paused);
}

void PlayerSession::fillAudio(uint8_t *buffer, int bytes)
{
    std::memset(buffer, 0, size_t(bytes));
    const int volume = m_muted ? 0 : m_volume.load();
    const int current = m_audioPackets.serial();
    double firstPts = -1.0;
    int written = 0;
    while (written < bytes && m_status == 1) {
        if (m_audioCurrent.serial != current)
            m_audioCurrent.samples.clear();
        if (m_audioOffset >= m_audioCurrent.samples.size()) {
            int serial = 0;
            double pts = 0.0, duration = 0.0;
            if (!m_audioFrames.front(serial, pts, duration))
                break;
            if (serial != current) {
                DecodedFrame stale;
                m_audioFrames.pop(stale);
                continue;
            }
            if (m_anchorSerial != serial) {
                // The first picture sets the clock; without pictures the sound does.
                if (m_videoStream >= 0)
                    break;
                m_clock.set(pts);
                m_anchorSerial = serial;
                if (!m_seekRequested)
                    m_positionPending = false;
            } else if (m_videoStream >= 0 && m_audioStartedSerial != serial) {
                // The pictures have set the clock: sound that starts later waits
                // for it, sound long behind it is skipped.  Once it runs, the
                // clock follows the sound.
                const double now = m_clock.get();
                if (pts > now + 30.0)
                    break;
                if (pts + duration < now - 200.0) {
                    DecodedFrame late;
                    m_audioFrames.pop(late);
                    continue;
                }
            }
            m_audioFrames.pop(m_audioCurrent);
            m_audioOffset = 0;
            m_audioStartedSerial = serial;
        }
        const int bps = m_outRate * m_outChannels * 2;
        if (firstPts < 0.0 && bps > 0)
            firstPts = m_audioCurrent.ptsMs + 1000.0 * double(m_audioOffset) / bps;
        const int n =
            int(std::min<size_t>(size_t(bytes - written), m_audioCurrent.samples.size() - m_audioOffset));
        if (volume > 0)
            SDL_MixAudioFormat(buffer + written, m_audioCurrent.samples.data() + m_audioOffset, AUDIO_S16SYS,
                               Uint32(n), volume);
        written += n;
        m_audioOffset += size_t(n);
    }
    m_audioPending = m_audioOffset < m_audioCurrent.samples.size();
    // Keep the clock on the sound: correct it when it has drifted noticeably.
    if (firstPts >= 0.0 && m_audio.pacesRealTime() && m_anchorSerial == current &&
        std::abs(firstPts - m_clock.get()) > 40.0)
        m_clock.set(firstPts);
}

} // namespace playback
