#pragma once

#include "engine/transcode/audiolane.h"
#include "engine/transcode/inputcursor.h"
#include "engine/transcode/outputsink.h"
#include "engine/transcode/videolane.h"

#include <memory>

// The lanes of one input: one for its picture and one for its sound, each
// present when the input has the stream and the output takes it.
class InputLanes {
public:
    InputLanes() = default;
    ~InputLanes();
    InputLanes(const InputLanes &) = delete;
    InputLanes &operator=(const InputLanes &) = delete;

    // Opens a decoder for each stream of input that output takes; threads
    // per decoder and filter graph, 0 = as many as suit the cores.
    bool open(InputCursor &input, OutputSink &output, const FilterSettings &filters, int decoderThreads,
              std::string *error);
    // Each lane decodes and filters on threads of the crew from now on.
    void runThreaded(StageCrew &crew);
    int videoIndex() const { return m_video ? m_video->streamIndex() : -1; }
    int audioIndex() const { return m_audio ? m_audio->streamIndex() : -1; }
    bool hasVideo() const { return m_video != nullptr; }
    bool hasAudio() const { return m_audio != nullptr; }

    // The lane that takes a packet of this stream, or null.
    StreamLane *forStream(int streamIndex);
    // Every lane has passed the end of the section.
    bool allDone() const;
    // The input has ended: drains every lane.
    bool finish(std::string *error);
    // Lets the lanes' threads go without draining (the job has failed).
    void halt();
    int64_t damagedPackets() const;

private:
    std::unique_ptr<VideoLane> m_video;
    std::unique_ptr<AudioLane> m_audio;
};
