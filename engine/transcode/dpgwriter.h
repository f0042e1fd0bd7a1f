#pragma once

#include "engine/av/avptr.h"

#include <string>

// Writes the handheld "DPG" video file: a 36-byte header, then the MP2 sound
// stream, then the MPEG-1 video stream, both as plain elementary streams.
class DpgWriter {
public:
    static constexpr int kHeaderSize = 36;

    // Takes the streams of an MPEG-1 program stream (MPEG-1 video, MP2 sound)
    // and writes them as a DPG file; frameRate must be whole frames per second.
    static bool repack(const std::string &programStream, const std::string &output, AVRational frameRate,
                       int sampleRate, std::string *error);
};
