#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace playback {

class PlayerSession;

// Ends finished playbacks away from the GUI thread: a decoder in the middle
// of a large picture may take longer than a frame to notice it should stop.
// The reaper asks a session to stop at once and joins its threads on its
// own thread; on destruction it waits for every session it was given.
class SessionReaper {
public:
    SessionReaper();
    ~SessionReaper();
    SessionReaper(const SessionReaper &) = delete;
    SessionReaper &operator=(const SessionReaper &) = delete;

    void take(std::unique_ptr<PlayerSession> session);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<std::unique_ptr<PlayerSession>> m_sessions;
    bool m_quit = false;
    std::thread m_thread; // last: starts once the rest is ready
};

} // namespace playback
