#pragma once

#include "engine/av/filtersettings.h"
#include "engine/playback/playeraudiooutput.h"
#include "engine/playback/playeravtypes.h"
#include "engine/playback/playerclock.h"
#include "engine/playback/playerfilter.h"
#include "engine/playback/playerframequeue.h"
#include "engine/playback/playerpacketqueue.h"

#include <QImage>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace playback {

class VideoOutput;

// One opened file being played: a demux thread feeding bounded packet
// queues, a decoder thread per stream feeding small frame queues, the sound
// device's callback (the master clock) and a presenter thread that shows
// each picture when the clock reaches it.  Seeks bump the queues' serial so
// that stale packets and frames are dropped.  Control calls return at once;
// only shutdown() waits for the threads, which it wakes first.
class PlayerSession {
public:
    PlayerSession(CFilterSetters &filters, VideoOutput &output, AudioOutput &audio);
    ~PlayerSession();
    PlayerSession(const PlayerSession &) = delete;
    PlayerSession &operator=(const PlayerSession &) = delete;

    // Opens the file and its decoders; no thread runs yet.
    bool open(const std::string &path, std::string *error);
    // Section in file milliseconds, -1 for the file's own start or end.
    void setSection(int64_t startMs, int64_t endMs);
    void play();
    void pause();
    // Position relative to the section start.
    void seek(double ms);
    double position() const;
    // 1 playing, 2 paused, 3 stopped or played out.
    int status() const { return m_status; }
    void setVolume(int volume);
    void setMuted(bool muted) { m_muted = muted; }
    // Writes the picture on screen at its own size (type 1 BMP, 2 JPEG).
    bool snapshot(const std::string &path, int type, std::string *error) const;
    // Display aspect ratio of the pictures shown (0 when there is no video).
    double pictureAspect() const;
    bool hasVideo() const { return m_videoStream >= 0; }
    // The preview filters or the window size changed: redraw the picture.
    void refresh();
    // Asks every thread to stop and wakes it, and lets go of the sound
    // device; returns at once.
    void requestStop();
    // Stops every thread: abort, wake, join, flush.
    void shutdown();

    // Pictures dropped because they were late.
    uint64_t droppedFrames() const { return m_dropped; }
    uint64_t shownFrames() const { return m_shown; }
    // File time of the picture on screen (NaN before the first).
    double shownPtsMs() const;

private:
    // playersession.cpp
    void startThreads();
    void demuxLoop();
    bool queuesFull() const;
    void doSeek();
    double streamMs(int64_t ts, const AVStream *st) const;
    void markFinished();
    // playerdecoders.cpp
    void videoDecodeLoop();
    void audioDecodeLoop();
    bool openAudioDevice();
    void setDevicePaused(bool paused);
    void fillAudio(uint8_t *buffer, int bytes);
    // playerpresenter.cpp
    void presentLoop();
    bool endReached();
    void showFrame(DecodedFrame &frame);
    void render();

    CFilterSetters &m_filters;
    VideoOutput &m_output;

    FormatContextPtr m_format;
    CodecContextPtr m_videoCodec;
    CodecContextPtr m_audioCodec;
    int m_videoStream = -1;
    int m_audioStream = -1;
    double m_startOffsetMs = 0.0; // the file's start time
    double m_durationMs = 0.0;

    std::atomic<int64_t> m_sectionStart{0}; // file ms
    std::atomic<int64_t> m_sectionEnd{-1};  // file ms, -1 = end of file

    PacketQueue m_videoPackets;
    PacketQueue m_audioPackets;
    FrameQueue m_videoFrames{3};
    FrameQueue m_audioFrames{16};

    std::thread m_demuxThread;
    std::thread m_videoThread;
    std::thread m_audioThread;
    std::thread m_presentThread;
    std::atomic<bool> m_abort{false};
    bool m_started = false;

    // Seek requests from the GUI to the demux thread.
    std::mutex m_controlMutex;
    std::condition_variable m_controlCond;
    std::atomic<bool> m_seekRequested{false};
    double m_seekTargetMs = 0.0;            // file ms
    std::atomic<bool> m_stepPending{false}; // show one picture after a seek while paused
    std::atomic<bool> m_refreshPending{false};
    std::atomic<bool> m_restartOnPlay{false}; // played out: Play starts the section again

    // Set by the demux thread after a seek: frames of this serial before the
    // target are decoded but not shown.
    std::atomic<int> m_targetSerial{-1};
    std::atomic<double> m_targetMs{0.0};
    std::atomic<bool> m_positionPending{false};
    std::atomic<double> m_pendingPositionMs{0.0};

    // End of input, per serial of the packet queues.
    std::atomic<int> m_eofSerial{-1};
    std::atomic<int> m_videoDrainedSerial{-1};
    std::atomic<int> m_audioDrainedSerial{-1};

    // Clock: anchored to the first picture (or sound) of each serial.
    PlayerClock m_clock;
    std::atomic<int> m_anchorSerial{-1};
    std::atomic<int> m_status{3};

    AudioOutput &m_audio;
    bool m_audioAttached = false; // set before the threads start
    std::atomic<int> m_volume{128};
    std::atomic<bool> m_muted{false};
    SwrPtr m_resampler;
    DecodedFrame m_audioCurrent; // the callback's frame being played
    size_t m_audioOffset = 0;
    int m_audioStartedSerial = -1;           // the serial whose sound has begun to play
    std::atomic<bool> m_audioPending{false}; // the callback still holds samples
    int m_outRate = 0;
    int m_outChannels = 0;

    // Presenter state.
    mutable std::mutex m_shownMutex;
    FramePtr m_shownSource; // decoded picture on screen
    FramePtr m_shownFiltered;
    double m_shownPts = 0.0;
    double m_shownDuration = 0.0;
    bool m_haveShown = false;
    PlayerFilter m_filter;
    bool m_filterWarned = false;
    SwsPtr m_scaler;
    std::atomic<uint64_t> m_dropped{0};
    std::atomic<uint64_t> m_shown{0};
    std::mutex m_presentMutex;
    std::condition_variable m_presentCond;
};

} // namespace playback
