#pragma once

#include "engine/av/avptr.h"

#include <mutex>
#include <string>

// The output container.  Written to a given path; the caller renames it
// when the job succeeds.
class Muxer {
public:
    bool open(const std::string &path, const std::string &muxerName, std::string *error);
    bool needsGlobalHeader() const;
    // A stream for an opened encoder; tag is a FourCC or empty.  Returns its index or -1.
    int addStream(const AVCodecContext *encoder, const std::string &tag, std::string *error);
    bool writeHeader(AVDictionary **options, std::string *error);
    // Rescales from the encoder's time base and writes; takes the packet's
    // data.  Encoders on threads of their own may write at the same time.
    bool write(AVPacket *packet, int streamIndex, AVRational encoderTimeBase, std::string *error);
    bool finish(std::string *error);
    // Closes the file without a trailer.
    void abandon();

private:
    av::OutputFormatPtr m_ctx;
    bool m_headerWritten = false;
    std::mutex m_writeMutex;
};
