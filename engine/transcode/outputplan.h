#pragma once

#include "engine/av/encoder.h"
#include "engine/av/filtergraph.h"
#include "engine/av/filtersettings.h"
#include "engine/transcode/encodernames.h"
#include "engine/transcode/transcodejob.h"

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
    AVRational displayAspect{0, 1};   // 0/1 = square pixels
    FrameFit fit = FrameFit::Stretch; // how the picture fills a frame of another shape

    // How often key frames are forced so that the output can be cut into
    // the segments it asks for (0: the encoder's own choice).
    static double keyframeEveryMs(const OutputSpec &output);

    // videoSource/audioSource: the first input stream of each kind, or null;
    // filters: the edits of the input videoSource belongs to.
    // blackPicture: the output carries a picture even when no input has one
    // (black where an input has none), if its format and encoders can.
    static bool make(const OutputSpec &output, const FilterSettings &filters, const AVStream *videoSource,
                     const AVStream *audioSource, OutputPlan *plan, std::string *error,
                     bool blackPicture = false);
};
