#pragma once

#include "engine/av/avptr.h"

#include <cstdint>
#include <vector>

// Encodes one decoded picture as JPEG bytes, turned by a rotation of 0, 90,
// 180 or 270 degrees clockwise, with square pixels.
class JpegWriter {
public:
    static std::vector<uint8_t> encode(const AVFrame *frame, int rotation, int quality = 3);
};
