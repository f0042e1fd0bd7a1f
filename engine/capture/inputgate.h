#pragma once

#include "engine/av/avptr.h"
#include "engine/capture/capturelimits.h"
#include "engine/capture/playlistfetch.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <set>

// Stands between an input and the web while it is read.  Before opening,
// it reads the playlist chain itself and refuses what must not be opened
// (addresses off the web, playlists that loop or nest too deep).  Once
// attached, every playlist the demuxer (re)loads is read and checked here
// first and handed over from memory, every other address is checked for
// its scheme, and the reading is ended (through the interrupt callback)
// when a bound is crossed: the stop flag, too little throughput, too much
// read while looking for the streams, a live playlist that stopped growing.
class InputGate {
public:
    InputGate(const std::atomic<bool> &stop, const CaptureLimits &limits, PlaylistFetch::Options httpOptions);
    ~InputGate();
    InputGate(const InputGate &) = delete;
    InputGate &operator=(const InputGate &) = delete;

    // Reads url and, when it is a playlist or a manifest, everything it
    // leads to.  False with a reason when something must not be opened.
    bool checkChain(const QUrl &url, QString *error);
    // The callback to give the input before it is opened.
    AVIOInterruptCB interrupt();
    // Takes over the input's opening of addresses (call before opening);
    // a top-level playlist is handed over as read by checkChain.
    void attach(AVFormatContext *ctx);
    // The streams are known: the reading limit of the search ends.
    void openingDone() { m_opening = false; }
    // The input's own reader is about to be closed outside io_close (the
    // demuxer closes its top-level reader itself): its bytes are counted and
    // it is no longer looked at, since the close may still call the
    // interrupt callback after freeing it.
    void forget(const AVIOContext *pb);

    // Why reading was ended, or empty.
    QString reason() const;

private:
    struct MemoryBody;
    static int onInterrupt(void *opaque);
    static int onOpen(AVFormatContext *s, AVIOContext **pb, const char *url, int flags,
                      AVDictionary **options);
    static int onClose(AVFormatContext *s, AVIOContext *pb);

    bool checkLevel(const QUrl &url, int depth, QList<QUrl> chain, QString *error);
    bool trip(const QString &why);
    int64_t bytesSoFar() const;
    bool throughputOk();
    bool isPlaylist(const QString &url) const;
    int openPlaylist(const QString &url, AVIOContext **pb);
    // Counts a reload that brought no new media; false past the limit.
    bool noteReload(const QString &url, const QList<QUrl> &media);
    AVIOContext *fromMemory(const QByteArray &text);

    const std::atomic<bool> &m_stop;
    CaptureLimits m_limits;
    PlaylistFetch m_fetch;
    std::atomic<bool> m_opening{true};
    int m_fetched = 0;
    QByteArray m_topText; // the top-level playlist as checked
    bool m_topIsPlaylist = false;
    QSet<QString> m_playlists;
    QHash<QString, QSet<QString>> m_seenMedia;
    QHash<QString, int> m_idleReloads;

    mutable std::mutex m_mutex; // the demuxer may open from its own threads
    QString m_reason;
    int (*m_defaultOpen)(AVFormatContext *, AVIOContext **, const char *, int, AVDictionary **) = nullptr;
    int (*m_defaultClose)(AVFormatContext *, AVIOContext *) = nullptr;
    std::set<AVIOContext *> m_live;
    std::map<AVIOContext *, std::unique_ptr<MemoryBody>> m_memory;
    std::unique_ptr<MemoryBody> m_top;
    int64_t m_closedBytes = 0;
    std::chrono::steady_clock::time_point m_windowStart;
    int64_t m_windowBytes = 0;
};
