#include "engine/playback/sessionreaper.h"

#include "engine/playback/playersession.h"

namespace playback {

SessionReaper::SessionReaper() : m_thread([this] { run(); }) {}

SessionReaper::~SessionReaper()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_cond.notify_all();
    m_thread.join();
}

void SessionReaper::take(std::unique_ptr<PlayerSession> session)
{
    session->requestStop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sessions.push_back(std::move(session));
    }
    m_cond.notify_all();
}

void SessionReaper::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_cond.wait(lock, [this] { return m_quit || !m_sessions.empty(); });
        if (m_sessions.empty())
            return;
        auto session = std::move(m_sessions.front());
        m_sessions.pop_front();
        lock.unlock();
        session.reset(); // joins its threads and frees it
        lock.lock();
    }
}

} // namespace playback
