#pragma once

#include "engine/playback/playerlane.h"

namespace playback {

// The pictures' lane: decoded pictures with their file time and duration go
// to a frame queue of three, skipping those before a seek target and those
// past the section end.
class VideoLane : public PlayerLane {
public:
    VideoLane(PlaybackState &state, const VideoStreamInfo &stream);
    ~VideoLane() override;

protected:
    bool deliver(AVFrame *frame, int serial) override;

private:
    AVRational m_timeBase;
    double m_frameMs; // a picture's duration when the packet does not say
};

} // namespace playback
