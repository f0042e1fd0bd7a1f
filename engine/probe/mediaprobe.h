#pragma once

#include "engine/probe/fileinfo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Opens a media file for inspection: stream parameters and thumbnails.
// Reads the header and decodes at most a few frames; a deadline and decoder
// limits keep broken or hostile files from hanging or exhausting memory.
class MediaProbe {
public:
    MediaProbe();
    ~MediaProbe();
    MediaProbe(const MediaProbe &) = delete;
    MediaProbe &operator=(const MediaProbe &) = delete;

    // Asked while a file is opened and read: true gives up at once (a load
    // that was cancelled while a file stalls).
    void setStopCheck(std::function<bool()> stop);

    // True when the file has at least one decodable audio or video stream.
    bool open(const std::string &path);
    void close();
    bool isOpen() const;
    const std::string &path() const;

    bool fillFileInfo(FileInfo *info) const;
    // No video stream (an attached cover picture is not video).
    bool isAudioOnly() const;
    // JPEG bytes of the frame shown at ms (rotation applied); empty on failure.
    std::vector<uint8_t> thumbnailJpeg(int64_t ms);

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};
