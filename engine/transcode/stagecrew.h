#pragma once

#include "engine/transcode/boundedqueue.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The threads of one input's conversion and the queues between them.  The
// first stage that fails (or sees the job stopped) fails the crew: its
// reason is kept and every queue is aborted, so that no other stage stays
// waiting on a queue nobody serves any more.
class StageCrew {
public:
    explicit StageCrew(const std::atomic<bool> &stop) : m_stop(stop) {}
    ~StageCrew();
    StageCrew(const StageCrew &) = delete;
    StageCrew &operator=(const StageCrew &) = delete;

    const std::atomic<bool> &stopFlag() const { return m_stop; }
    // Aborted when the crew fails.  The queue must outlive the crew or leave
    // it through forget().
    void watch(Abortable *queue);
    void forget(Abortable *queue);

    // Keeps the first reason and aborts every watched queue.
    void fail(const std::string &reason);
    // Fails with "stopped" when the job was stopped, else with reason.
    void letGo(const std::string &reason);
    bool failed() const { return m_failed.load(); }
    std::string reason() const;

    // A thread running work; a false result fails the crew with its reason.
    // name shows in debuggers and in top's thread view.
    std::thread spawn(const char *name, std::function<bool(std::string *error)> work);

private:
    const std::atomic<bool> &m_stop;
    mutable std::mutex m_mutex;
    std::vector<Abortable *> m_queues;
    std::string m_reason;
    std::atomic<bool> m_failed{false};
};
