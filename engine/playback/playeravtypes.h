#pragma once

// The playback pipeline's names for the engine's FFmpeg owners.

#include "engine/av/avptr.h"

namespace playback {

using av::FramePtr;
using av::makeFrame;
using av::makePacket;
using av::PacketPtr;
using av::SwrPtr;
using av::SwsPtr;

// A new reference to the same picture or samples (null when src is null or on failure).
inline FramePtr refFrame(const AVFrame *src)
{
    if (!src)
        return {};
    FramePtr f = makeFrame();
    if (!f || av_frame_ref(f.get(), src) < 0)
        return {};
    return f;
}

// The video stream as the decoder thread and the presenter see it, read
// once when the file opens.
struct VideoStreamInfo {
    AVRational timeBase{1, 1000};
    AVRational frameRate{0, 1};    // 0/1 when unknown
    AVRational sampleAspect{0, 1}; // 0/1 when unknown (square pixels)
    int width = 0;
    int height = 0;
};

} // namespace playback
