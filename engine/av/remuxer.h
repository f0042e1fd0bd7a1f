#pragma once

#include "engine/av/avptr.h"

#include <cstdint>
#include <string>
#include <vector>

namespace av {

// How a remuxer's failures read.  Each message is followed by
// ": <FFmpeg's reason>" where FFmpeg gives one; the caller names the file
// the way its user knows it ("the file", "a segment").
struct RemuxWording {
    std::string cannotCreate;    // the container cannot be made at all
    std::string cannotAddStream; // an output stream could not be added
    std::string cannotOpen;      // the file could not be opened for writing
    std::string cannotStart;     // the header was refused
    std::string cannotWrite;     // a packet was refused
    std::string cannotFinish;    // the trailer or the close failed
};

// Writes one file by stream copy, without decoding: every output stream
// takes the parameters of an input stream, every packet is rescaled into
// its output stream's time base (the muxer may choose its own in the
// header), decoding times are kept strictly rising per stream in that time
// base, and the muxer interleaves the streams.
class Remuxer {
public:
    // What a copied stream takes over besides its codec parameters.
    struct StreamCopy {
        bool keepCodecTag = false;    // the FourCC, where the container maps it to the same codec
        bool tagsAndSideData = false; // metadata and stream side data (rotation and the like)
    };

    explicit Remuxer(RemuxWording wording);
    Remuxer(const Remuxer &) = delete;
    Remuxer &operator=(const Remuxer &) = delete;

    // Prepares a file of the muxer's kind at path; nothing is written yet.
    bool open(const std::string &path, const std::string &muxer, std::string *error);
    // Adds an output stream copied from source; returns its index or -1.
    int addStream(const AVStream *source, const StreamCopy &copy, std::string *error);
    // Opens the file and writes the header; options unused by the muxer stay in options.
    bool start(Dictionary &options, std::string *error);
    // Writes a packet whose times are in timeBase to output stream index
    // outputStream; takes the packet's data.
    bool write(AVPacket *packet, int outputStream, AVRational timeBase, std::string *error);
    // Writes the trailer and closes the file.
    bool finish(std::string *error);

    int64_t packetsWritten() const { return m_written; }
    bool isOpen() const { return m_ctx != nullptr; }

private:
    // Keeps a known decoding time above the stream's last one; one missing
    // along with the presentation time follows the last.
    void keepRising(AVPacket *packet, int outputStream);
    bool fail(const std::string &message, int code, std::string *error) const;

    RemuxWording m_wording;
    std::string m_path;
    OutputFormatPtr m_ctx;
    std::vector<int64_t> m_lastDts; // per output stream, in its time base
    int64_t m_written = 0;
};

} // namespace av
