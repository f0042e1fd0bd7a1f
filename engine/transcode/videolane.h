#pragma once

#include "engine/av/filtergraph.h"
#include "engine/transcode/streamlane.h"
#include "engine/transcode/videoencodesink.h"

// The picture of one input: frames inside the section are placed on the
// output's timeline, filtered to the output's size and rate, and encoded.
class VideoLane : public StreamLane {
public:
    VideoLane(const AVStream *stream, int64_t startPts, const SectionWindow &window,
              const FilterSettings &filters, VideoEncodeSink &sink);
    ~VideoLane() override;

protected:
    bool onFrame(AVFrame *frame, std::string *error) override;
    bool endFilters(std::string *error) override;
    // Decoded pictures are large: few wait for the filters.
    size_t frameQueueDepth() const override;

private:
    // A graph for the frame's size and format; a change in either ends the
    // running graph and starts a new one.
    bool ensureGraph(const AVFrame *frame, std::string *error);
    bool pullFrames(std::string *error);
    double frameDurationMs(const AVFrame *frame) const;

    const FilterSettings &m_filters;
    VideoEncodeSink &m_sink;
    const double m_halfFrameMs; // of the output's rate
    FilterGraph m_graph;
    int m_graphWidth = 0;
    int m_graphHeight = 0;
    int m_graphFormat = -1;
    int64_t m_endUs = AV_NOPTS_VALUE; // end of the last frame pushed, output time
    bool m_anyFrame = false;          // a frame has been decoded
    double m_lastMs = 0.0;            // its input time
    av::FramePtr m_filtered = av::makeFrame();
};
