#pragma once

#include "engine/playback/playeravtypes.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace playback {

// Packets from the demux thread to one decoder thread.  Every packet carries
// the serial of the queue at the time it was queued; a flush (after a seek)
// sets a new serial so the decoder can tell stale data from fresh.  A null
// packet asks the decoder to drain (end of stream).
class PacketQueue {
public:
    struct Item {
        PacketPtr packet; // null = end of stream
        int serial = 0;
    };

    // Drops everything; what is queued from now on carries serial.
    void flush(int serial);
    void abort();

    void put(PacketPtr packet);
    void putEndOfStream() { put(PacketPtr()); }
    // Waits for a packet; false when the queue was aborted.
    bool get(Item &item);

    int serial() const { return m_serial; }
    int count() const;
    int64_t bytes() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<Item> m_items;
    int64_t m_bytes = 0;
    std::atomic<int> m_serial{0};
    bool m_abort = false;
};

} // namespace playback
