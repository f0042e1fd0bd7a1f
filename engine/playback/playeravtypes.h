#pragma once

// The playback pipeline's names for the engine's FFmpeg owners.

#include "engine/av/avptr.h"

namespace playback {

using av::CodecContextPtr;
using av::FilterGraphPtr;
using av::FramePtr;
using av::makeFrame;
using av::makePacket;
using av::PacketPtr;
using av::SwrPtr;
using av::SwsPtr;
using FormatContextPtr = av::InputFormatPtr;

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

} // namespace playback
