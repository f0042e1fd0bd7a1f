#pragma once

#include "engine/av/muxer.h"
#include "engine/transcode/audioencodesink.h"
#include "engine/transcode/outputplan.h"
#include "engine/transcode/videoencodesink.h"

#include <atomic>
#include <string>

// The output file: container, picture and sound encoders.  Every input's
// lanes feed the same two sinks.
class OutputSink {
public:
    OutputSink(const std::atomic<bool> &stop, ProgressMeter &progress);

    // Opens the container at path with the plan's streams and writes its header.
    bool open(const OutputPlan &plan, const std::string &path, std::string *error);
    bool hasVideo() const { return m_video.isOpen(); }
    bool hasAudio() const { return m_audio.isOpen(); }
    VideoEncodeSink &video() { return m_video; }
    AudioEncodeSink &audio() { return m_audio; }

    // The encoders take their frames on threads of the crew from now on.
    void runThreaded(StageCrew &crew);
    // Waits for the encoders' threads to finish what they were given; the
    // encoders then work on the caller's thread again.  False with the
    // crew's reason when it failed.
    bool settle(std::string *error);

    // After an input that ends at endMs on the output's timeline: silence
    // fills the sound up to where the picture ends, so that sound and
    // picture stay together across joins.  inputHadSound: the input fed the
    // sound sink (without a picture, only inputs without sound are filled).
    bool alignSound(double endMs, bool inputHadSound, std::string *error);
    // After an input without a picture that ends at endMs: black pictures
    // fill its stretch, so that an output with a picture has one
    // throughout (nothing when the input had a picture of its own).
    bool alignPicture(double endMs, bool inputHadPicture, std::string *error);
    // Drains the encoders and writes the container's trailer.
    bool finish(std::string *error);
    // Closes the file as it is (the caller removes it).
    void abandon() { m_muxer.abandon(); }

private:
    Muxer m_muxer;
    VideoEncodeSink m_video;
    AudioEncodeSink m_audio;
};
