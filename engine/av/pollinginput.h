#pragma once

#include "engine/av/avptr.h"

#include <string>

// Reads a FIFO or a character device without blocking for good.  FFmpeg's
// file protocol reads them with a plain blocking read, which no interrupt
// check can cut short: a writer that never writes would hang the caller past
// any deadline or stop request.  Here the file is opened non-blocking, and a
// read that finds no data waits in short polls, asking the interrupt check
// between them.  A FIFO without a writer reads as empty.
class PollingInput {
public:
    PollingInput() = default;
    ~PollingInput();
    PollingInput(const PollingInput &) = delete;
    PollingInput &operator=(const PollingInput &) = delete;

    // True for paths that a plain read may wait on forever.
    static bool needed(const std::string &path);

    bool open(const std::string &path, const AVIOInterruptCB &interrupt, std::string *error);
    // The I/O context to give the format context (owned here; free the
    // format context first).
    AVIOContext *context() const { return m_io.get(); }

private:
    static int readPacket(void *opaque, uint8_t *buffer, int size);
    bool interrupted() const;

    int m_fd = -1;
    AVIOInterruptCB m_interrupt{};
    av::IOContextPtr m_io;
};
