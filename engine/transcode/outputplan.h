#pragma once

#include "engine/av/encoder.h"
#include "engine/av/filtersettings.h"
#include "engine/transcode/encodeinfo.h"
#include "engine/transcode/encodernames.h"

#include <string>

// What a job writes, decided before anything is opened: container, encoders,
// picture size and rate, sound format.  Profile values the format cannot
// carry are replaced by the nearest ones it can.
struct OutputPlan {
    ContainerRule rule;
    ResolvedEncoder video, audio;
    bool dvd = false;
    bool hasVideo = false;
    bool hasAudio = false;
    VideoEncodeParams videoParams; // globalHeader is the muxer's to say
    AudioEncodeParams audioParams;
    AVRational displayAspect{0, 1}; // 0/1 = square pixels

    // videoSource/audioSource: the first input stream of each kind, or null.
    static bool make(const EncodeInfo &info, const std::string &outputPath, const FilterSettings &filters,
                     const AVStream *videoSource, const AVStream *audioSource, OutputPlan *plan,
                     std::string *error);
};
