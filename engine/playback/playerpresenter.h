#pragma once

#include "engine/playback/playbackstate.h"
#include "engine/playback/playerpicture.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace playback {

class AudioLane;
class PlayerAudioSink;
class VideoLane;

// The presenter thread: shows each picture when the clock reaches it and
// skips pictures that are too late, sets the clock after a start or a seek
// (from the first picture, or when neither picture nor sound will come),
// and notices when the section has played out.
class PlayerPresenter {
public:
    PlayerPresenter(PlaybackState &state, const FilterState &filters, VideoOutput &output, const void *source)
        : m_state(state), m_picture(filters, output, source)
    {
    }
    ~PlayerPresenter() { join(); }
    PlayerPresenter(const PlayerPresenter &) = delete;
    PlayerPresenter &operator=(const PlayerPresenter &) = delete;

    // The parts it watches; set before start.  Any of them may be null.
    void setVideo(VideoLane *lane, const VideoStreamInfo &stream);
    void setSound(AudioLane *lane, const PlayerAudioSink *sink);
    // Called on the presenter thread when a playing section has ended.
    void setFinishedHandler(std::function<void()> finished) { m_finished = std::move(finished); }

    void start();
    // Returns once the thread has seen the state's abort flag.
    void join();
    // The filters or the window size changed: draw the picture again.
    void refresh();

    const PlayerPicture &picture() const { return m_picture; }
    uint64_t shownFrames() const { return m_shown; }
    uint64_t droppedFrames() const { return m_dropped; }

private:
    void run();
    void idle(int serial);
    void showFirst(int serial);
    void showOrSkip(int serial, double ptsMs, double durationMs);
    void show(DecodedFrame &frame);
    bool pictureWillCome(int serial) const;
    bool soundWillCome(int serial) const;
    bool endReached() const;

    PlaybackState &m_state;
    PlayerPicture m_picture;
    VideoLane *m_video = nullptr;
    AudioLane *m_audio = nullptr;
    const PlayerAudioSink *m_sink = nullptr; // only when attached
    std::function<void()> m_finished;
    std::atomic<bool> m_refreshPending{false};
    std::atomic<uint64_t> m_dropped{0};
    std::atomic<uint64_t> m_shown{0};
    std::thread m_thread;
};

} // namespace playback
