#pragma once

#include "engine/av/avptr.h"

// Pictures made by the engine itself rather than decoded.
namespace av {

// A black picture of the given pixel format and size (limited range for
// YUV formats), its buffers allocated; empty on failure.
FramePtr makeBlackPicture(int format, int width, int height);

} // namespace av
