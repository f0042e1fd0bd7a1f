#pragma once

#include "engine/av/avptr.h"

#include <atomic>
#include <functional>
#include <string>

// The reading side of a stream copy: opening an input and handing its
// packets on one by one.
namespace av {

// How opening an input ended: code is 0 on success, else FFmpeg's error,
// and readingStreams tells whether the container opened but its stream
// parameters could not be read.
struct InputOpening {
    int code = 0;
    bool readingStreams = false;
    bool ok() const { return code >= 0; }
};

// Sets up a context before it opens its input (its own reading of
// addresses, a reader of its own).
using InputPreparation = std::function<void(AVFormatContext *ctx)>;

// Opens url (options: protocol and demuxer options; interrupt: may be null;
// prepare: may be empty) and reads its stream parameters.
InputOpening openInput(const std::string &url, Dictionary *options, const AVIOInterruptCB *interrupt,
                       InputFormatPtr &ctx, const InputPreparation &prepare = {});

// Returns false to end the copy; the packet is unreferenced afterwards.
using PacketHandler = std::function<bool(AVPacket *packet)>;

// How a copy ended.
enum class CopyEnd {
    InputEnded, // every packet was handed on
    Stopped,    // the stop flag was set
    ReadFailed, // reading failed; readError holds FFmpeg's code
    Refused,    // the handler ended the copy
};

// Hands every packet of input to handle, asking stop before each one.
CopyEnd copyPackets(AVFormatContext *input, const std::atomic<bool> &stop, const PacketHandler &handle,
                    int *readError);

} // namespace av
