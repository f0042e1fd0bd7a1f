#pragma once

#include "engine/playback/playbackstate.h"
#include "engine/playback/playeravtypes.h"

#include <condition_variable>
#include <mutex>
#include <thread>

class Demuxer;

namespace playback {

class PlayerLane;

// The demux thread: reads packets into the lanes' queues while they have
// room, carries out seeks (a new serial, flushed lanes), and ends the
// streams at the end of the file or once the section has been read.
class PlayerReader {
public:
    PlayerReader(PlaybackState &state, Demuxer &demuxer) : m_state(state), m_demuxer(demuxer) {}
    ~PlayerReader() { join(); }
    PlayerReader(const PlayerReader &) = delete;
    PlayerReader &operator=(const PlayerReader &) = delete;

    // The lane that takes a stream's packets; set before start.
    void setVideoLane(int streamIndex, PlayerLane *lane) { m_video = Route{streamIndex, lane}; }
    void setAudioLane(int streamIndex, PlayerLane *lane) { m_audio = Route{streamIndex, lane}; }

    // GUI thread.  Asks for a seek to file time ms; the position reads ms until it is done.
    void requestSeek(double ms);
    // GUI thread, before start: begin at the section start unless a seek was asked for.
    void prepareStart(double sectionStartMs);

    void start();
    void wake();
    // Returns once the thread has seen the state's abort flag.
    void join();

private:
    struct Route {
        int index = -1;
        PlayerLane *lane = nullptr;
        bool pastEnd = false;
    };

    void run();
    bool waitForWork();
    void seekNow();
    void readPacket();
    Route *routeOf(int streamIndex);
    bool pastSectionEnd(const AVPacket *packet) const;
    bool queuesFull() const;
    void endStreams();

    PlaybackState &m_state;
    Demuxer &m_demuxer;
    Route m_video;
    Route m_audio;
    bool m_atEnd = false;

    std::mutex m_mutex; // guards the seek request
    std::condition_variable m_cond;
    double m_seekTargetMs = 0.0;
    std::thread m_thread;
};

} // namespace playback
