#pragma once

#include "engine/transcode/transcodejob.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// Cuts a finished output into segments "<name>_001<ext>", "<name>_002<ext>",
// ... without re-encoding: every segment starts at a key frame of the
// picture (any sound packet for sound alone), so each plays from its start.
// By time, a segment ends at the first key frame at or after its length;
// by size, it takes as many whole key-frame intervals as fit under the
// limit (written, measured, and cut again shorter when a container's own
// bytes pushed it over).  Segments are written under hidden temporary
// names and put in place together at the end; an existing file is never
// replaced.  Nothing is left behind on failure or stop.
class SegmentSplitter {
public:
    struct Limits {
        int64_t maxBytes = 0; // 0 = no size limit
        int64_t maxMs = 0;    // 0 = no time limit
    };

    // The record's limits; both 0 when it asks for one file.
    static Limits limitsOf(const OutputSpec &output);
    // True when the record asks for segments and the output format can be
    // cut (the engine's own DPG and APE writers cannot).
    static bool wanted(const OutputSpec &output);
    // "<dir>/<name>_<number, three digits at least><ext>" for output "<dir>/<name><ext>".
    static std::string segmentPath(const std::string &outputPath, int number);
    // A hidden, newly created empty file beside the output with the same
    // extension, for the whole file that is cut afterwards; empty on failure.
    static std::string reserveWholePath(const std::string &outputPath, std::string *error);

    // Cuts whole (written for outputPath with output) into segments named
    // after outputPath.  On success written lists them in order.
    static bool split(const std::string &whole, const std::string &outputPath, const OutputSpec &output,
                      const std::atomic<bool> &stop, std::vector<std::string> *written, std::string *error);
};
