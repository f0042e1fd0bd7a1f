#pragma once

#include "engine/av/filtergraph.h"
#include "engine/transcode/encodesink.h"

// The output's picture: filtered frames are numbered on the encoder's frame
// clock and encoded.
class VideoEncodeSink : public EncodeSink {
public:
    using EncodeSink::EncodeSink;
    ~VideoEncodeSink() override { halt(); }

    // Opens the encoder and adds its stream; tag is a FourCC or empty.
    // displayAspect 0/1 keeps square pixels.
    bool open(const VideoEncodeParams &params, const std::string &tag, AVRational displayAspect,
              std::string *error);
    // How the picture fills a frame of another shape.
    void setFrameFit(FrameFit fit) { m_filterOutput.fit = fit; }
    // What every input's filter graph must deliver.
    const VideoFilterOutput &filterOutput() const { return m_filterOutput; }
    AVRational frameRate() const { return m_filterOutput.frameRate; }

    // Encodes one filtered frame whose pts is in timeBase (takes its data).
    // A frame for a slot that is already filled (a join may repeat the
    // previous input's last one) is dropped.
    bool feed(AVFrame *frame, AVRational timeBase, std::string *error)
    {
        return take(frame, timeBase, error);
    }
    // Black pictures from where the picture ends up to untilMs on the
    // output's timeline: the stretch of an input without a picture, in an
    // output that carries one throughout.
    bool fillBlack(double untilMs, std::string *error);
    // Drains the encoder.
    bool finish(std::string *error) { return encode(nullptr, "video", error); }
    // Where the encoded picture ends on the output's timeline.
    double endMs() const;

protected:
    bool encodeFrame(AVFrame *frame, AVRational timeBase, std::string *error) override;

private:
    VideoFilterOutput m_filterOutput;
    int64_t m_nextPts = 0;
    double m_keyframeEveryMs = 0; // forced key frames (0: none)
    double m_nextKeyframeMs = 0;
};
