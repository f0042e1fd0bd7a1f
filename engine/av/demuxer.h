#pragma once

#include "engine/av/avptr.h"
#include "engine/av/inputreader.h"
#include "engine/av/pollinginput.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// An opened input file: container, chosen streams, seeking.  Blocking reads
// are cut short by an interrupt check (a stop request) and, while a deadline
// is armed, by the deadline.  FIFOs and devices are read through a polling
// input so that the check is asked even while no data comes.
class Demuxer {
public:
    using StopCheck = std::function<bool()>;

    Demuxer() = default;
    Demuxer(const Demuxer &) = delete;
    Demuxer &operator=(const Demuxer &) = delete;

    // Opens the file and reads its stream parameters.  quick limits how
    // much is read for the parameters (probing).
    bool open(const std::string &path, bool quick, std::string *error, StopCheck stop = {});
    // The same for bytes that come from a reader; name only labels the input
    // in messages and hints FFmpeg at the format.
    bool open(std::unique_ptr<InputReader> reader, const std::string &name, bool quick, std::string *error,
              StopCheck stop = {});
    void close();
    bool isOpen() const { return m_ctx != nullptr; }

    AVFormatContext *context() const { return m_ctx.get(); }
    // Best streams; attached pictures (cover art) are never video.
    int videoIndex() const { return m_video; }
    int audioIndex() const { return m_audio; }
    AVStream *stream(int index) const;

    double durationMs() const;
    // The stream's first timestamp in its time base (0 when unknown).
    int64_t startPts(int index) const;
    // Rotation of the video in degrees clockwise (0, 90, 180, 270).
    int videoRotation() const;

    // Seeks so that the next packets start at or before ms.
    bool seekMs(int64_t ms);
    // 0, AVERROR_EOF or another AVERROR.
    int read(AVPacket *packet);

    // Arms a deadline for the next blocking calls (0 disarms).
    void setDeadline(int milliseconds);
    // The deadline of the opens that follow (0: 10 s quick, 30 s full).
    void setOpenDeadline(int milliseconds) { m_openDeadlineMs = milliseconds; }

    // Demuxers that make a "video" of any text or of one still picture:
    // such a file is not something to convert.
    static bool isTextOrPictureFormat(const char *formatName);

private:
    static int interruptCallback(void *opaque);
    static int readCallback(void *opaque, uint8_t *buf, int size);
    static int64_t seekCallback(void *opaque, int64_t offset, int whence);
    bool openInput(const std::string &url, bool quick, std::string *error, StopCheck stop);
    // Opens the container and reads its stream parameters once.
    bool openContext(const std::string &url, bool quick, std::string *error);
    // A fresh I/O context over the reader, from its first byte.
    bool resetReaderIo(std::string *error);
    // An audio or video stream whose parameters the probe did not find.
    bool lacksParameters() const;
    // Decodes the first packets of such streams to learn their parameters,
    // then goes back to the start.
    void learnParameters();
    // Back to the first packet of the data.
    bool rewind();
    // Chooses the video and audio streams and discards the others; false
    // when there is neither.
    bool pickStreams();

    // Destroyed in reverse order: the container before the I/O it reads.
    std::unique_ptr<PollingInput> m_input;
    std::unique_ptr<InputReader> m_reader;
    av::IOContextPtr m_io;
    av::InputFormatPtr m_ctx;
    int m_video = -1;
    int m_audio = -1;
    StopCheck m_stop;
    std::chrono::steady_clock::time_point m_deadline{};
    bool m_deadlineArmed = false;
    int m_openDeadlineMs = 0;
};
