#pragma once

#include "engine/av/avptr.h"

// Sound frames made by the engine itself rather than decoded: n samples of
// the given format, rate and channel layout, their buffers allocated (empty
// on failure).
namespace av {

FramePtr makeAudioFrame(int format, int sampleRate, const AVChannelLayout &layout, int samples);
// The same, filled with silence.
FramePtr makeSilence(int format, int sampleRate, const AVChannelLayout &layout, int samples);
// A new frame of count samples of frame from sample offset on (empty on failure).
FramePtr sliceSamples(const AVFrame *frame, int offset, int count);

} // namespace av
