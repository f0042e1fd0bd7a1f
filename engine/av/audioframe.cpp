#include "engine/av/audioframe.h"

extern "C" {
#include <libavutil/samplefmt.h>
}

namespace av {

FramePtr makeAudioFrame(int format, int sampleRate, const AVChannelLayout &layout, int samples)
{
    FramePtr f = makeFrame();
    if (!f)
        return f;
    f->nb_samples = samples;
    f->format = format;
    f->sample_rate = sampleRate;
    if (av_channel_layout_copy(&f->ch_layout, &layout) < 0 || av_frame_get_buffer(f.get(), 0) < 0)
        f.reset();
    return f;
}

FramePtr makeSilence(int format, int sampleRate, const AVChannelLayout &layout, int samples)
{
    FramePtr f = makeAudioFrame(format, sampleRate, layout, samples);
    if (f)
        av_samples_set_silence(f->extended_data, 0, samples, layout.nb_channels, AVSampleFormat(format));
    return f;
}

FramePtr sliceSamples(const AVFrame *frame, int offset, int count)
{
    FramePtr f = makeAudioFrame(frame->format, frame->sample_rate, frame->ch_layout, count);
    if (f)
        av_samples_copy(f->extended_data, frame->extended_data, 0, offset, count,
                        frame->ch_layout.nb_channels, AVSampleFormat(frame->format));
    return f;
}

} // namespace av
