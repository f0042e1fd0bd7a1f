#include "core/media/parallelvideoloader.h"

#include "core/media/supportedfiles.h"
#include "engine/probe/mediaprobe.h"

#include <QThread>

#include <algorithm>

ParallelVideoLoader::ParallelVideoLoader(int workers, QObject *parent)
    : QObject(parent), m_workerCount(workers > 0 ? workers : std::max(1, QThread::idealThreadCount()))
{
}

ParallelVideoLoader::~ParallelVideoLoader()
{
    stopWorkers();
}

void ParallelVideoLoader::stopWorkers()
{
    cancel();
    for (std::thread &worker : m_workers) {
        if (worker.joinable())
            worker.join();
    }
}

void ParallelVideoLoader::start(const QList<VideoBasicInfo> &entries)
{
    if (!m_workers.empty() || !m_entries.isEmpty())
        return;
    m_entries = entries;
    m_slots.resize(size_t(entries.size()));
    const int n = std::min(m_workerCount, int(entries.size()));
    for (int i = 0; i < n; ++i)
        m_workers.emplace_back([this] { work(); });
}

void ParallelVideoLoader::cancel()
{
    m_cancelled.store(true);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_changed.notify_all();
}

void ParallelVideoLoader::work()
{
    MediaProbe probe; // this worker's own
    probe.setStopCheck([this] { return m_cancelled.load(); });
    for (;;) {
        if (m_cancelled.load())
            return;
        const int i = m_next.fetch_add(1);
        if (i >= m_entries.size())
            return;
        VideoLoadOutcome outcome = loadOne(m_entries.at(i), probe);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_slots[size_t(i)] = std::move(outcome);
        const int before = m_readyPrefix;
        while (m_readyPrefix < int(m_slots.size()) && m_slots[size_t(m_readyPrefix)])
            ++m_readyPrefix;
        if (m_readyPrefix == before)
            continue; // waits for an earlier entry
        m_changed.notify_all();
        if (!m_notifyPending) {
            m_notifyPending = true;
            QMetaObject::invokeMethod(this, &ParallelVideoLoader::ready, Qt::QueuedConnection);
        }
    }
}

VideoLoadOutcome ParallelVideoLoader::loadOne(const VideoBasicInfo &entry, MediaProbe &probe) const
{
    VideoLoadOutcome outcome;
    outcome.entry = entry;
    // Media is known by content, not by name; a file whose name promises no
    // media and that is none is "unsupported" (passed over quietly).
    auto record = std::make_unique<VideoInfo>(entry, probe, m_thumbnails);
    if (record->valid) {
        outcome.kind = VideoLoadOutcome::Kind::Loaded;
        outcome.record = std::move(record);
    } else {
        outcome.kind = isSupportedFile(entry.filename) ? VideoLoadOutcome::Kind::Invalid
                                                       : VideoLoadOutcome::Kind::Unsupported;
        outcome.reason = record->probeError;
    }
    return outcome;
}

std::vector<VideoLoadOutcome> ParallelVideoLoader::takeLocked()
{
    std::vector<VideoLoadOutcome> out;
    m_notifyPending = false;
    if (m_cancelled.load())
        return out;
    for (; m_taken < m_readyPrefix; ++m_taken) {
        out.push_back(std::move(*m_slots[size_t(m_taken)]));
        m_slots[size_t(m_taken)].reset();
    }
    return out;
}

std::vector<VideoLoadOutcome> ParallelVideoLoader::takeReady()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return takeLocked();
}

std::vector<VideoLoadOutcome> ParallelVideoLoader::waitForReady()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] {
        return m_cancelled.load() || m_taken < m_readyPrefix || m_taken >= int(m_slots.size());
    });
    return takeLocked();
}

bool ParallelVideoLoader::done() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_cancelled.load() || m_taken >= int(m_slots.size());
}
