#pragma once

#include <QElapsedTimer>
#include <QMutex>
#include <QString>
#include <QUrl>

#include "engine/capture/capturelimits.h"
#include "engine/capture/mediacandidate.h"

#include <atomic>

class PageFetcher;

// Captures the media a web page plays into a folder.  It learns the page's
// media in two ways at once: by fetching the page itself and reading its
// source, and from a web view showing the page, which reports the requests
// its player makes (reportRequest and friends, callable from any thread).
// The chosen stream is saved without re-encoding.
//
// listenCapture blocks (run it on a worker thread); GetDownPrg and
// StopListen may be called from another thread meanwhile.  A stop is final:
// once StopListen was called, every capture of this object returns at once.
class CSnifferManger {
public:
    enum Result {
        Captured = 0,
        Stopped = 1,
        BadAddress = 2,      // not an http or https address, or no folder
        PageUnreachable = 3, // the page could not be loaded
        NoMedia = 4,         // the page plays nothing that can be saved
        SaveFailed = 5,      // the stream broke off or the file could not be written
    };

    CSnifferManger();
    CSnifferManger(const CSnifferManger &) = delete;
    CSnifferManger &operator=(const CSnifferManger &) = delete;

    // The classic entry: 8-bit (UTF-8) address and folder; on return
    // savedPath (1024 bytes) holds the captured file's path, or is empty.
    // A path that would not fit is not written (the result says so).
    int ListenCapture(const char *address, const char *folder, char *savedPath);
    // Progress of the running capture in percent.
    void GetDownPrg(double &percent) const;
    // Makes a running capture return soon (well within a second); harmless
    // before, after or without one.
    void StopListen();

    int listenCapture(const QString &address, const QString &folder, QString *savedPath);
    // Why the last capture did not succeed, in words for the user.
    QString lastError() const { return m_lastError; }

    // What the user typed, made a full address: trimmed, with "http://"
    // added when no scheme is given.
    static QString normalizeAddress(const QString &typed);

    // The web view's side.  Attach before the capture starts: the capture
    // then waits for the page's player to ask for its media after the page
    // source showed none.
    void setBrowserAttached(bool attached);
    // A request the page made; mediaElement when a <video> or <audio>
    // element made it (anything it asks for counts), otherwise only
    // media files and manifests count.
    void reportRequest(const QUrl &url, bool mediaElement, const QString &mimeType = QString());
    void reportPageTitle(const QString &title);
    void reportPageLoaded(bool ok);

    // Tuning: extra trusted certificates (PEM) besides the system's; how
    // long a silent connection is waited for; how long the web view is
    // given to start playing after its page has loaded, and at most.
    void setCaFile(const QString &pemFile) { m_caFile = pemFile; }
    void setStallTimeoutMs(int ms) { m_stallTimeoutMs = ms; }
    void setBrowserWait(int afterLoadMs, int totalMs);
    // Bounds on what a server can make a capture read or wait for.
    void setLimits(const CaptureLimits &limits) { m_limits = limits; }

private:
    // captureCandidate's answer when the candidate could not be opened.
    static constexpr int kTryNext = -1;

    int fail(int result, const QString &error);
    // Captured when the address and folder are usable, else the failure.
    int checkRequest(const QString &address, const QString &folder, QUrl *pageUrl, QString *targetFolder);
    // Waits until a candidate not yet tried is known (Captured), or returns
    // why there is none.
    int waitForCandidate(PageFetcher &fetcher, const QList<QUrl> &tried, const QString &openError,
                         MediaCandidate *next);
    // Saves the candidate's stream into the folder.
    int captureCandidate(const PageFetcher &fetcher, const MediaCandidate &candidate, const QString &folder,
                         QString *openError, QString *savedPath);
    MediaCandidateList browserCandidates() const;
    QString browserTitle() const;
    // Whether the web view had its chance to play something.
    bool browserDone() const;

    std::atomic<bool> m_stop{false};
    std::atomic<double> m_progress{0.0};
    QString m_lastError;
    QString m_caFile;
    int m_stallTimeoutMs = 20000;
    CaptureLimits m_limits;
    int m_browserAfterLoadMs = 6000;
    int m_browserTotalMs = 60000;

    mutable QMutex m_mutex; // guards the web view's reports below
    bool m_browserAttached = false;
    bool m_browserLoaded = false;
    QElapsedTimer m_sinceLoaded;
    QElapsedTimer m_sinceStart;
    QString m_browserTitle;
    MediaCandidateList m_browserCandidates;
};
