#pragma once

#include "engine/av/demuxer.h"
#include "engine/playback/playbackstate.h"
#include "engine/playback/playeraudiosink.h"
#include "engine/playback/playerfilterstate.h"
#include "engine/playback/playerpresenter.h"
#include "engine/playback/playerreader.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace playback {

class AudioLane;
class AudioOutput;
class VideoLane;
class VideoOutput;

// One opened file being played.  It owns its parts: the demuxer and the
// demux thread, one lane per stream (packet queue, decoder thread, frame
// queue), the sound sink on the device's callback (the master clock) and
// the presenter, which shows each picture when the clock reaches it.  The
// file is opened as a conversion opens it: the same streams, the same
// picture-size limit, and a deadline for a stalled input (a shorter one, as
// the caller is the GUI thread).  Control calls return at once; only
// shutdown() waits for the threads, which it wakes first.
class PlayerSession {
public:
    PlayerSession(const FilterState &filters, VideoOutput &output, AudioOutput &audio);
    ~PlayerSession();
    PlayerSession(const PlayerSession &) = delete;
    PlayerSession &operator=(const PlayerSession &) = delete;

    // How long opening may wait for a stalled input (the caller's thread waits).
    static constexpr int kOpenDeadlineMs = 10000;

    // Opens the file and its decoders; no thread runs yet.
    bool open(const std::string &path, std::string *error);
    // Section in file milliseconds, -1 for the file's own start or end.
    void setSection(int64_t startMs, int64_t endMs);
    void play();
    void pause();
    // Position relative to the section start.
    void seek(double ms);
    double position() const;
    PlayStatus status() const { return PlayStatus(m_state.status.load()); }
    void setVolume(int volume) { m_sink.setVolume(volume); }
    void setMuted(bool muted) { m_sink.setMuted(muted); }
    // Writes the picture on screen at its own size (type 1 BMP, 2 JPEG).
    bool snapshot(const std::string &path, int type, std::string *error) const;
    // Display aspect ratio of the pictures shown (0 when there is no video).
    double pictureAspect() const { return m_presenter.picture().aspect(); }
    bool hasVideo() const { return m_video != nullptr; }
    // The preview filters or the window size changed: redraw the picture.
    void refresh() { m_presenter.refresh(); }
    // Asks every thread to stop and wakes it, and lets go of the sound
    // device; returns at once.
    void requestStop();
    // Stops every thread: asks, wakes, joins.
    void shutdown();

    // Pictures dropped because they were late.
    uint64_t droppedFrames() const { return m_presenter.droppedFrames(); }
    uint64_t shownFrames() const { return m_presenter.shownFrames(); }
    // File time of the picture on screen (NaN before the first).
    double shownPtsMs() const { return m_presenter.picture().shownPtsMs(); }

private:
    bool openVideo(std::string *error);
    void openAudio();
    void startThreads();
    void markFinished();

    PlaybackState m_state;
    Demuxer m_demuxer;
    std::unique_ptr<VideoLane> m_video;
    std::unique_ptr<AudioLane> m_audio;
    PlayerReader m_reader{m_state, m_demuxer};
    PlayerAudioSink m_sink;
    PlayerPresenter m_presenter;
    bool m_started = false;
    std::atomic<bool> m_restartOnPlay{false}; // played out: Play starts the section again
};

} // namespace playback
