#include "engine/transcode/audioencodesink.h"

#include "engine/av/audioframe.h"

#include <algorithm>

bool AudioEncodeSink::open(const AudioEncodeParams &params, bool progressBySound, std::string *error)
{
    if (!m_encoder.openAudio(params, error) || !addStream("", error))
        return false;
    const AVCodecContext *ac = m_encoder.context();
    m_chunk = m_encoder.frameSize();
    m_fifo.reset(av_audio_fifo_alloc(ac->sample_fmt, ac->ch_layout.nb_channels, m_chunk * 4));
    if (!m_fifo)
        return av::failWith(error, "out of memory");
    m_filterOutput.sampleRate = ac->sample_rate;
    m_filterOutput.channels = ac->ch_layout.nb_channels;
    m_filterOutput.sampleFmts = {ac->sample_fmt};
    m_progressBySound = progressBySound;
    return true;
}

bool AudioEncodeSink::encodeFrame(AVFrame *frame, AVRational, std::string *error)
{
    const int n = frame->nb_samples;
    if (av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void **>(frame->extended_data), n) < n)
        return av::failWith(error, "out of memory");
    return encodeChunks(false, error);
}

bool AudioEncodeSink::padTo(double ms, std::string *error)
{
    const AVCodecContext *ac = m_encoder.context();
    const int64_t until = int64_t(ms * ac->sample_rate / 1000.0);
    int64_t missing = until - (m_samples + av_audio_fifo_size(m_fifo.get()));
    while (missing > 0) {
        const int n = int(std::min<int64_t>(missing, 4096));
        av::FramePtr silence = av::makeSilence(ac->sample_fmt, ac->sample_rate, ac->ch_layout, n);
        if (!silence)
            return av::failWith(error, "out of memory");
        if (!feed(silence.get(), error))
            return false;
        missing -= n;
    }
    return true;
}

bool AudioEncodeSink::finish(std::string *error)
{
    return encodeChunks(true, error) && encode(nullptr, "audio", error);
}

bool AudioEncodeSink::encodeChunks(bool all, std::string *error)
{
    const AVCodecContext *ac = m_encoder.context();
    for (;;) {
        const int queued = av_audio_fifo_size(m_fifo.get());
        if (queued == 0 || (queued < m_chunk && !all))
            return true;
        const int n = std::min(m_chunk, queued);
        av::FramePtr chunk = av::makeAudioFrame(ac->sample_fmt, ac->sample_rate, ac->ch_layout, n);
        if (!chunk ||
            av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void **>(chunk->extended_data), n) < n)
            return av::failWith(error, "out of memory");
        chunk->pts = m_samples;
        m_samples += n;
        if (m_progressBySound)
            m_progress.outputAt(m_samples * 1000.0 / ac->sample_rate);
        if (!encode(chunk.get(), "audio", error))
            return false;
    }
}
