#pragma once

#include "engine/transcode/transcodejob.h"

#include <QThread>

#include <atomic>
#include <climits>
#include <memory>

// Runs one typed job on a thread of its own.  Progress and stop may be asked
// from any thread while it runs; the result is read once the thread has
// finished (thread()'s finished signal, or wait()).  Destroying it stops the
// job and waits.
class TranscodeThread {
public:
    explicit TranscodeThread(TranscodeJob job);
    ~TranscodeThread();
    TranscodeThread(const TranscodeThread &) = delete;
    TranscodeThread &operator=(const TranscodeThread &) = delete;

    // The thread, for its finished signal.
    QThread *thread() const { return m_thread.get(); }
    void start();
    void requestStop() { m_stop.request(); }
    // True once the job has ended (or when it never started).
    bool wait(unsigned long milliseconds = ULONG_MAX);
    bool isFinished() const;

    // 0..1 of the job done, and the pictures encoded so far.
    double progress() const { return m_observer.fraction.load(); }
    int64_t frames() const { return m_observer.frames.load(); }
    // How the job ended; valid after the thread has finished.
    const TranscodeResult &result() const { return m_result; }
    const TranscodeJob &job() const { return m_job; }

private:
    struct Observer : TranscodeObserver {
        std::atomic<double> fraction{0.0};
        std::atomic<int64_t> frames{0};
        void onProgress(double value, int64_t count) override
        {
            fraction.store(value);
            frames.store(count);
        }
    };

    TranscodeJob m_job;
    Observer m_observer;
    StopToken m_stop;
    TranscodeResult m_result;
    std::unique_ptr<QThread> m_thread;
};
