#pragma once

#include "engine/playback/playerlane.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

namespace playback {

// The sound's lane: decoded samples are converted to the device's format
// (signed 16-bit, interleaved) and queued for the device callback.  Without
// a device the packets are only followed to the end of the stream.
class AudioLane : public PlayerLane {
public:
    AudioLane(PlaybackState &state, AVRational timeBase);
    ~AudioLane() override;

    // The device's rate and channels; set before the lane starts.
    void setOutput(int sampleRate, int channels);

protected:
    bool deliver(AVFrame *frame, int serial) override;
    bool decodes() const override { return m_outRate > 0; }

private:
    bool fitResampler(AVFrame *frame);

    AVRational m_timeBase;
    int m_outRate = 0;
    int m_outChannels = 0;
    AVChannelLayout m_outLayout{};
    double m_nextPts = 0.0;
    SwrPtr m_resampler;
    int m_inRate = 0;
    int m_inFormat = -1;
    AVChannelLayout m_inLayout{};
};

} // namespace playback
