#pragma once

#include "engine/av/filtergraph.h"
#include "engine/transcode/encodesink.h"

// The output's sound: filtered samples gather in a FIFO and go to the
// encoder in the chunks it takes, numbered by the samples sent.
class AudioEncodeSink : public EncodeSink {
public:
    using EncodeSink::EncodeSink;
    ~AudioEncodeSink() override { halt(); }

    // progressBySound: the output has no picture, so the sound says how far
    // the job has come.
    bool open(const AudioEncodeParams &params, bool progressBySound, std::string *error);
    // What every input's filter graph must deliver.
    const AudioFilterOutput &filterOutput() const { return m_filterOutput; }

    // Takes one filtered frame (and its data) and encodes every full chunk.
    bool feed(AVFrame *frame, std::string *error) { return take(frame, {1, 1}, error); }
    // Adds silence up to ms on the output's timeline.
    bool padTo(double ms, std::string *error);
    // Encodes what is left and drains the encoder.
    bool finish(std::string *error);

protected:
    bool encodeFrame(AVFrame *frame, AVRational timeBase, std::string *error) override;

private:
    // Encodes full chunks; all: the last, shorter one as well.
    bool encodeChunks(bool all, std::string *error);

    AudioFilterOutput m_filterOutput;
    av::AudioFifoPtr m_fifo;
    int m_chunk = 0;
    int64_t m_samples = 0; // sent to the encoder
    bool m_progressBySound = false;
};
