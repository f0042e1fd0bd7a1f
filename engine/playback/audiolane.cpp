#include "engine/playback/audiolane.h"

#include "engine/av/enginelog.h"

#include <QDebug>

namespace playback {

namespace {
constexpr size_t kQueuedSoundFrames = 16;
constexpr int kBytesPerSample = 2; // signed 16-bit
} // namespace

AudioLane::AudioLane(PlaybackState &state, AVRational timeBase)
    : PlayerLane(state, kQueuedSoundFrames), m_timeBase(timeBase)
{
}

AudioLane::~AudioLane()
{
    abort();
    join();
    av_channel_layout_uninit(&m_inLayout);
    av_channel_layout_uninit(&m_outLayout);
}

void AudioLane::setOutput(int sampleRate, int channels)
{
    m_outRate = sampleRate;
    m_outChannels = channels > 0 ? channels : 2;
    av_channel_layout_uninit(&m_outLayout);
    av_channel_layout_default(&m_outLayout, m_outChannels);
}

bool AudioLane::fitResampler(AVFrame *frame)
{
    if (m_resampler && frame->sample_rate == m_inRate && frame->format == m_inFormat &&
        av_channel_layout_compare(&frame->ch_layout, &m_inLayout) == 0)
        return true;
    SwrContext *swr = nullptr;
    const int ret = swr_alloc_set_opts2(&swr, &m_outLayout, AV_SAMPLE_FMT_S16, m_outRate, &frame->ch_layout,
                                        AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
    SwrPtr owner(swr);
    if (ret < 0 || swr_init(swr) < 0) {
        qCWarning(lcPlayer, "player: cannot convert the sound to the device format");
        m_resampler.reset();
        return false;
    }
    m_resampler = std::move(owner);
    m_inRate = frame->sample_rate;
    m_inFormat = frame->format;
    av_channel_layout_uninit(&m_inLayout);
    av_channel_layout_copy(&m_inLayout, &frame->ch_layout);
    return true;
}

bool AudioLane::deliver(AVFrame *frame, int serial)
{
    const double duration = frame->sample_rate > 0 ? 1000.0 * frame->nb_samples / frame->sample_rate : 0.0;
    const int64_t ts = frame->best_effort_timestamp;
    const double pts = ts != AV_NOPTS_VALUE ? m_state.streamMs(ts, m_timeBase) : m_nextPts;
    m_nextPts = pts + duration;
    const int64_t end = m_state.sectionEnd;
    const bool beforeTarget = serial == m_state.targetSerial && pts + duration <= m_state.targetMs;
    if (beforeTarget || (end >= 0 && pts >= double(end)) || !fitResampler(frame))
        return true;
    const size_t frameBytes = size_t(m_outChannels) * kBytesPerSample;
    const int room = swr_get_out_samples(m_resampler.get(), frame->nb_samples) + 32;
    DecodedFrame out;
    out.samples.resize(size_t(room) * frameBytes);
    uint8_t *dst = out.samples.data();
    const int got = swr_convert(m_resampler.get(), &dst, room,
                                const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples);
    if (got <= 0)
        return true;
    out.samples.resize(size_t(got) * frameBytes);
    out.serial = serial;
    out.ptsMs = pts;
    out.durationMs = 1000.0 * got / m_outRate;
    return frames().push(std::move(out));
}

} // namespace playback
