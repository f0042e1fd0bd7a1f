#pragma once

#include "engine/av/filtergraph.h"
#include "engine/transcode/audioencodesink.h"
#include "engine/transcode/streamlane.h"

// The sound of one input: frames inside the section are filtered to the
// output's rate and channels, then gathered by the sound sink.
class AudioLane : public StreamLane {
public:
    AudioLane(const AVStream *stream, int64_t startPts, const SectionWindow &window,
              const FilterSettings &filters, AudioEncodeSink &sink);
    ~AudioLane() override;

protected:
    bool onFrame(AVFrame *frame, std::string *error) override;
    bool endFilters(std::string *error) override;

private:
    bool ensureGraph(const AVFrame *frame, std::string *error);
    // Keeps the sound where its timestamps place it: a frame that starts
    // well before the sound already taken (an overlap) is left out, a hole
    // before it is filled with silence.  False (with the reason) on failure;
    // *skip: leave this frame out.
    bool keepInTime(const AVFrame *frame, double ms, bool *skip, std::string *error);
    bool push(AVFrame *frame, std::string *error);
    // The samples of a frame of samples at rate that lie within ms of its start.
    static int samplesIn(double ms, int rate, int samples);
    // The input time at which the next sample pushed belongs.
    double nextSampleMs(int rate) const { return m_firstMs + m_samplesIn * 1000.0 / rate; }
    bool pullFrames(std::string *error);

    const FilterSettings &m_filters;
    AudioEncodeSink &m_sink;
    FilterGraph m_graph;
    int64_t m_samplesIn = 0; // pushed into the graph, which counts time in samples
    double m_firstMs = 0.0;  // the input time of the first sample pushed
    av::FramePtr m_filtered = av::makeFrame();
};
