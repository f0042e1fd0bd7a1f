#pragma once

#include "engine/av/avptr.h"
#include "engine/av/filtersettings.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/rational.h>
}

#include <string>
#include <utility>
#include <vector>

// One filter of a chain: its name and its options, in order.  Options are
// set on the filter object directly, so no value is ever parsed as graph
// syntax.  `side` is an extra source chain feeding the filter's second input
// (the picture of an image watermark).
struct FilterNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<FilterNode> side;
};

// What enters a video graph.
struct VideoFilterInput {
    int width = 0;
    int height = 0;
    int pixFmt = -1; // AVPixelFormat
    AVRational timeBase{1, 25};
    AVRational sampleAspect{1, 1}; // 0/1 = unknown (square)
    AVRational frameRate{0, 1};    // 0/1 = unknown
};

// How a picture fills a frame (both sides given) whose display aspect is
// not the picture's own.
enum class FrameFit {
    Stretch, // scaled to the frame, shape lost
    Pad,     // scaled inside the frame, black bars on two sides (letterbox, pillarbox)
    Crop,    // scaled to cover the frame, the overhang cut off evenly
};

// What a video graph must deliver.
struct VideoFilterOutput {
    int width = 0; // 0 x 0 keeps the (cropped) size; one 0 keeps the aspect
    int height = 0;
    FrameFit fit = FrameFit::Stretch;
    bool evenSize = true;           // round sizes to even numbers
    AVRational displayAspect{0, 1}; // 0/1 = square pixels; else this display aspect
    AVRational frameRate{0, 1};     // 0/1 = no rate conversion
    std::vector<int> pixFmts;       // accepted AVPixelFormats, empty = any
};

// What enters an audio graph.
struct AudioFilterInput {
    int sampleRate = 44100;
    int sampleFmt = -1; // AVSampleFormat
    int channels = 2;
    uint64_t channelMask = 0; // 0 = the default layout for the channel count
    AVRational timeBase{1, 44100};
};

// What an audio graph must deliver.
struct AudioFilterOutput {
    int sampleRate = 0;          // 0 keeps the input's
    int channels = 0;            // 0 keeps the input's
    std::vector<int> sampleFmts; // accepted AVSampleFormats, empty = any
};

// Builds and runs the libavfilter graph for a FilterSettings.  The same
// builder serves the transcoder and the player's preview.
class FilterGraph {
public:
    FilterGraph() = default;
    FilterGraph(const FilterGraph &) = delete;
    FilterGraph &operator=(const FilterGraph &) = delete;

    // The video chain between the source and the sink, and the picture size
    // it produces (written to outWidth/outHeight when non-null).
    static std::vector<FilterNode> videoChain(const FilterSettings &s, const VideoFilterInput &in,
                                              const VideoFilterOutput &out, int *outWidth = nullptr,
                                              int *outHeight = nullptr);
    // The display aspect (width / height) of the picture the settings make
    // of an input, before it is fitted to the output frame: after the crop,
    // with the input's sample aspect.
    static double pictureAspect(const FilterSettings &s, const VideoFilterInput &in);
    static std::vector<FilterNode> audioChain(const FilterSettings &s, const AudioFilterInput &in,
                                              const AudioFilterOutput &out);

    // Escapes a value for use in a textual filter graph: first as an option
    // value, then as part of a filter's argument list.
    static std::string escapeValue(const std::string &value);
    // The chain in textual graph syntax (for logs and checks).
    static std::string describe(const std::vector<FilterNode> &chain);
    // Checks that the files the settings name exist; on failure says which.
    // Whether an active crop lies inside a width x height picture; false
    // with the reason when it does not.
    static bool cropFits(const FilterSettings &s, int width, int height, std::string *error);
    static bool checkFiles(const FilterSettings &s, bool video, std::string *error);

    bool initVideo(const FilterSettings &s, const VideoFilterInput &in, const VideoFilterOutput &out,
                   std::string *error);
    bool initAudio(const FilterSettings &s, const AudioFilterInput &in, const AudioFilterOutput &out,
                   std::string *error);
    bool isReady() const { return m_sink != nullptr; }
    void reset();
    // Threads the filters of graphs built from now on may use; 0 = as many
    // as the machine has.
    void setThreads(int threads) { m_threads = threads; }

    // Feeds one frame (nullptr = end of stream).  Returns 0 or an AVERROR.
    int push(AVFrame *frame);
    // Ends the stream at pts (in the input time base), so that the last
    // frame keeps its full duration through rate conversion.
    int pushEnd(int64_t pts);
    // Takes one filtered frame: 0, AVERROR(EAGAIN) or AVERROR_EOF.
    int pull(AVFrame *frame);
    // The time base of the frames pull() delivers.
    AVRational outputTimeBase() const;

private:
    // A new graph with its source and sink filters allocated (not yet initialised).
    bool allocEnds(const char *srcFilter, const char *sinkFilter, AVFilterContext **src,
                   AVFilterContext **sink, std::string *error);
    bool build(const std::vector<FilterNode> &chain, AVFilterContext *src, AVFilterContext *sink,
               std::string *error);
    AVFilterContext *makeFilter(const FilterNode &node, std::string *error);

    av::FilterGraphPtr m_graph;
    AVFilterContext *m_src = nullptr;
    AVFilterContext *m_sink = nullptr;
    int m_threads = 0;
};
