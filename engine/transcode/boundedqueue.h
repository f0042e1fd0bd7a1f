#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <utility>

// What a crew of stages can call off: a queue that every waiter leaves at once.
class Abortable {
public:
    virtual ~Abortable() = default;
    virtual void abort() = 0;
};

// A queue of at most `capacity` items between two threads of a conversion.
// Either end can end it: the producer closes it (the consumer takes what is
// left, then sees the end), anyone aborts it (both sides let go at once and
// what is queued is dropped).  A set stop flag aborts it as well, so that no
// wait outlives a stop request by more than one poll.
template <typename T> class BoundedQueue : public Abortable {
public:
    BoundedQueue(size_t capacity, const std::atomic<bool> *stop = nullptr)
        : m_capacity(capacity > 0 ? capacity : 1), m_stop(stop)
    {
    }
    BoundedQueue(const BoundedQueue &) = delete;
    BoundedQueue &operator=(const BoundedQueue &) = delete;

    // Waits for room.  False (the item dropped) when the queue was aborted
    // or closed.
    bool push(T &&item)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_aborted && !m_closed && m_items.size() >= m_capacity)
            waitOn(m_notFull, lock);
        if (m_aborted || m_closed)
            return false;
        m_items.push_back(std::move(item));
        m_notEmpty.notify_one();
        return true;
    }

    // Waits for an item.  False at the end (closed and drained) or when
    // aborted; aborted() tells the two apart.
    bool pop(T &item)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_aborted && !m_closed && m_items.empty())
            waitOn(m_notEmpty, lock);
        if (m_aborted || m_items.empty())
            return false;
        item = std::move(m_items.front());
        m_items.pop_front();
        m_notFull.notify_one();
        return true;
    }

    // The producer is done: no more pushes.
    void close()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        m_notEmpty.notify_all();
        m_notFull.notify_all();
    }

    void abort() override
    {
        std::deque<T> dropped; // released outside the lock
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_aborted = true;
            dropped.swap(m_items);
            m_notEmpty.notify_all();
            m_notFull.notify_all();
        }
    }

    bool aborted() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_aborted;
    }

    size_t size() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_items.size();
    }

private:
    // One wait, cut short now and then to look at the stop flag.
    void waitOn(std::condition_variable &cv, std::unique_lock<std::mutex> &lock)
    {
        if (!m_stop) {
            cv.wait(lock);
            return;
        }
        cv.wait_for(lock, std::chrono::milliseconds(20));
        if (m_stop->load()) {
            m_aborted = true;
            m_items.clear();
            m_notEmpty.notify_all();
            m_notFull.notify_all();
        }
    }

    const size_t m_capacity;
    const std::atomic<bool> *const m_stop;
    mutable std::mutex m_mutex;
    std::condition_variable m_notEmpty;
    std::condition_variable m_notFull;
    std::deque<T> m_items;
    bool m_closed = false;
    bool m_aborted = false;
};
