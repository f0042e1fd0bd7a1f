#pragma once

#include "core/media/videobasicinfo.h"
#include "core/media/videoinfo.h"

#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class MediaProbe;

// What became of one entry of a load.
struct VideoLoadOutcome {
    enum class Kind {
        Loaded,      // record holds the probed, valid record
        Unsupported, // neither media nor named like media (passed over quietly)
        Invalid,     // the file cannot be used; reason says why
    };
    Kind kind = Kind::Invalid;
    VideoBasicInfo entry;
    std::unique_ptr<VideoInfo> record;
    QString reason;
};

// Probes the entries of a load on worker threads, one per core, each with a
// probe object of its own, and hands the outcomes back in the order of the
// list as soon as each one and all before it are ready.  The owner's thread
// never waits for a probe: it is told through ready() (or waits in
// waitForReady() when it has nothing else to do).
class ParallelVideoLoader : public QObject {
    Q_OBJECT
public:
    // workers: 0 = one per core.
    explicit ParallelVideoLoader(int workers = 0, QObject *parent = nullptr);
    // Cancels and waits for the workers.
    ~ParallelVideoLoader() override;

    // Without thumbnails the probe only reads the file's parameters.
    void setThumbnails(bool on) { m_thumbnails = on; }
    int workerCount() const { return m_workerCount; }

    // Starts probing; once per object.
    void start(const QList<VideoBasicInfo> &entries);
    // No entry is started from now on (the ones being probed finish) and no
    // more outcomes are handed out.
    void cancel();
    bool cancelled() const { return m_cancelled.load(); }

    // The outcomes ready since the last call, in list order; empty when
    // none is ready yet.
    std::vector<VideoLoadOutcome> takeReady();
    // Blocks until at least one outcome is ready, then takes them; empty
    // when every outcome has been taken or the load was cancelled.
    std::vector<VideoLoadOutcome> waitForReady();
    // Every outcome has been taken (or the load was cancelled).
    bool done() const;
    int count() const { return int(m_entries.size()); }

signals:
    // More outcomes can be taken; delivered on the owner's thread.
    void ready();

protected:
    // Cancels and waits for the workers; a subclass whose loadOne() they
    // may be running calls it from its destructor.
    void stopWorkers();
    // Probes one entry on a worker thread, with that worker's probe.
    virtual VideoLoadOutcome loadOne(const VideoBasicInfo &entry, MediaProbe &probe) const;

private:
    void work();
    std::vector<VideoLoadOutcome> takeLocked();

    const int m_workerCount;
    bool m_thumbnails = true;
    QList<VideoBasicInfo> m_entries;
    std::vector<std::thread> m_workers;
    std::atomic<int> m_next{0};
    std::atomic<bool> m_cancelled{false};

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::optional<VideoLoadOutcome>> m_slots;
    int m_readyPrefix = 0; // slots [0, m_readyPrefix) are filled
    int m_taken = 0;       // slots [0, m_taken) were handed out
    bool m_notifyPending = false;
};
