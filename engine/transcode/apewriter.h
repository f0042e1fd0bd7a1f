#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// Writes Monkey's Audio (.ape) files: lossless 16-bit sound, mono or stereo,
// at the "fast" level (1000: the predictor only, no neural-net filters), in
// the current file layout (version 3.99: descriptor, header, seek table,
// frames of 73728 blocks).
class ApeWriter {
public:
    static constexpr int kFileVersion = 3990;
    static constexpr int kCompressionLevel = 1000;
    static constexpr int kBlocksPerFrame = 73728;

    // Encodes a raw PCM file (interleaved signed 16-bit little-endian) into
    // output.  stop, when set, is polled between frames; a stopped or failed
    // run leaves output incomplete (the caller removes it) and error says why.
    static bool encodeRawFile(const std::string &pcmPath, const std::string &output, int sampleRate,
                              int channels, const std::atomic<bool> *stop, std::string *error);
};
