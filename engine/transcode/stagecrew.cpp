#include "engine/transcode/stagecrew.h"

#include <pthread.h>

#include <algorithm>

StageCrew::~StageCrew() = default;

void StageCrew::watch(Abortable *queue)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queues.push_back(queue);
    if (m_failed.load())
        queue->abort();
}

void StageCrew::forget(Abortable *queue)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queues.erase(std::remove(m_queues.begin(), m_queues.end(), queue), m_queues.end());
}

void StageCrew::fail(const std::string &reason)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_failed.exchange(true))
        m_reason = reason.empty() ? std::string("conversion failed") : reason;
    for (Abortable *queue : m_queues)
        queue->abort();
}

void StageCrew::letGo(const std::string &reason)
{
    fail(m_stop.load() ? std::string("stopped") : reason);
}

std::string StageCrew::reason() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_reason;
}

std::thread StageCrew::spawn(const char *name, std::function<bool(std::string *error)> work)
{
    return std::thread([this, name, work = std::move(work)] {
        pthread_setname_np(pthread_self(), name);
        std::string error;
        if (!work(&error))
            letGo(error);
    });
}
