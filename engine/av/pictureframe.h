#pragma once

#include "engine/av/avptr.h"

// Pictures made by the engine itself rather than decoded.
namespace av {

// A picture of the given pixel format and size with its buffers allocated
// (contents undefined); empty on failure.
FramePtr makePicture(int format, int width, int height);

// A black picture of the given pixel format and size (limited range for
// YUV formats), its buffers allocated; empty on failure.
FramePtr makeBlackPicture(int format, int width, int height);

} // namespace av
