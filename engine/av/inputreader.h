#pragma once

#include <cstdint>

// The bytes of an input that FFmpeg does not open itself: a stream held in
// memory, a member of an archive, a device.  A Demuxer opened with a reader
// asks it for data instead of opening a path; the demuxer owns the reader.
// Called on the thread that reads the demuxer.
class InputReader {
public:
    virtual ~InputReader() = default;

    // Fills up to size bytes of buf.  Returns the number of bytes read (> 0),
    // AVERROR_EOF at the end, or another AVERROR when reading failed.
    virtual int read(uint8_t *buf, int size) = 0;
    // Moves to offset as lseek does (SEEK_SET, SEEK_CUR, SEEK_END) and
    // returns the new position; for AVSEEK_SIZE returns the total size.  A
    // negative AVERROR when the reader cannot seek or the size is unknown.
    virtual int64_t seek(int64_t offset, int whence) = 0;
};
