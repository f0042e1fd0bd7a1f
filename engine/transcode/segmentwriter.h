#pragma once

#include "engine/av/remuxer.h"
#include "engine/transcode/tempoutput.h"

#include <string>

struct OutputPlan;

// One segment of a cut output being written: every stream of the whole
// file copied, under a temporary name beside the segment's final one.
class SegmentWriter {
public:
    explicit SegmentWriter(const OutputPlan &plan);

    // Creates the temporary file for finalPath and writes the header.
    bool open(const std::string &finalPath, const OutputPlan &plan, AVFormatContext *input,
              std::string *error);
    // Writes a packet of the whole file, shifted so that the segment starts at startMs.
    bool write(AVPacket *packet, const AVStream *in, double startMs, std::string *error);
    bool finish(std::string *error);

    TempOutput &file() { return m_temp; }

private:
    // Declared first: the file goes only after the muxer has closed it.
    TempOutput m_temp;
    av::Remuxer m_out;
};
