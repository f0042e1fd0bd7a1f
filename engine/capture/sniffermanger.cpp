#include "engine/capture/sniffermanger.h"

#include "engine/capture/capturenaming.h"
#include "engine/capture/mediaurlkind.h"
#include "engine/capture/pagefetcher.h"
#include "engine/capture/streamsaver.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

const char *const kUserAgent = "Mozilla/5.0 (X11; Linux x86_64) CorvaneReelmax/1.0";

// The best candidate not yet tried, or an invalid one.
MediaCandidate pickNext(MediaCandidateList candidates, const QList<QUrl> &tried)
{
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const MediaCandidate &a, const MediaCandidate &b) { return a.rank() < b.rank(); });
    for (const MediaCandidate &c : candidates) {
        if (!tried.contains(c.url))
            return c;
    }
    return MediaCandidate{};
}

} // namespace

CSnifferManger::CSnifferManger() = default;

QString CSnifferManger::normalizeAddress(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return text;
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (scheme.match(text).hasMatch())
        return text;
    return QStringLiteral("http://") + text;
}

void CSnifferManger::GetDownPrg(double &percent) const
{
    percent = m_progress.load();
}

void CSnifferManger::StopListen()
{
    m_stop = true;
}

void CSnifferManger::setBrowserWait(int afterLoadMs, int totalMs)
{
    m_browserAfterLoadMs = afterLoadMs;
    m_browserTotalMs = totalMs;
}

void CSnifferManger::setBrowserAttached(bool attached)
{
    QMutexLocker lock(&m_mutex);
    m_browserAttached = attached;
}

void CSnifferManger::reportRequest(const QUrl &url, bool mediaElement, const QString &mimeType)
{
    if (!MediaUrlKind::isFetchable(url))
        return;
    if (!mediaElement && !MediaUrlKind::isCapturable(MediaUrlKind::classify(url, mimeType)))
        return;
    MediaCandidate c;
    c.url = url.adjusted(QUrl::RemoveFragment);
    c.source = MediaCandidate::WebViewRequest;
    QMutexLocker lock(&m_mutex);
    if (!m_browserCandidates.contains(c))
        m_browserCandidates << c;
}

void CSnifferManger::reportPageTitle(const QString &title)
{
    // Before a page has a title of its own, views show its address.
    const QString t = title.trimmed();
    if (t.isEmpty() || QUrl(t, QUrl::StrictMode).scheme().startsWith(QLatin1String("http")))
        return;
    QMutexLocker lock(&m_mutex);
    m_browserTitle = t;
}

void CSnifferManger::reportPageLoaded(bool)
{
    QMutexLocker lock(&m_mutex);
    if (!m_browserLoaded) {
        m_browserLoaded = true;
        m_sinceLoaded.start();
    }
}

MediaCandidateList CSnifferManger::browserCandidates() const
{
    QMutexLocker lock(&m_mutex);
    return m_browserCandidates;
}

QString CSnifferManger::browserTitle() const
{
    QMutexLocker lock(&m_mutex);
    return m_browserTitle;
}

bool CSnifferManger::browserDone() const
{
    QMutexLocker lock(&m_mutex);
    if (!m_browserAttached)
        return true;
    if (m_sinceStart.isValid() && m_sinceStart.elapsed() > m_browserTotalMs)
        return true;
    return m_browserLoaded && m_sinceLoaded.elapsed() > m_browserAfterLoadMs;
}

int CSnifferManger::fail(int result, const QString &error)
{
    m_lastError = error;
    return result;
}

int CSnifferManger::ListenCapture(const char *address, const char *folder, char *savedPath)
{
    if (savedPath)
        savedPath[0] = '\0';
    QString path;
    const int result = listenCapture(QString::fromUtf8(address ? address : ""),
                                     QString::fromUtf8(folder ? folder : ""), &path);
    if (!savedPath || path.isEmpty())
        return result;
    const QByteArray bytes = path.toUtf8();
    if (bytes.size() >= 1024)
        return fail(SaveFailed, QStringLiteral("the saved file's path is too long: %1").arg(path));
    memcpy(savedPath, bytes.constData(), size_t(bytes.size()) + 1);
    return result;
}

int CSnifferManger::checkRequest(const QString &address, const QString &folder, QUrl *pageUrl,
                                 QString *targetFolder)
{
    if (m_stop)
        return fail(Stopped, QStringLiteral("stopped"));
    *pageUrl = QUrl(normalizeAddress(address), QUrl::TolerantMode);
    if (!MediaUrlKind::isFetchable(*pageUrl))
        return fail(BadAddress, QStringLiteral("\"%1\" is not a web page address").arg(address.trimmed()));
    *targetFolder = folder.trimmed();
    if (targetFolder->isEmpty())
        return fail(BadAddress, QStringLiteral("no download folder is set"));
    *targetFolder = QDir::cleanPath(QDir::fromNativeSeparators(*targetFolder));
    return Captured;
}

int CSnifferManger::listenCapture(const QString &address, const QString &folder, QString *savedPath)
{
    if (savedPath)
        savedPath->clear();
    m_lastError.clear();
    m_progress = 0.0;
    QUrl pageUrl;
    QString targetFolder;
    const int checked = checkRequest(address, folder, &pageUrl, &targetFolder);
    if (checked != Captured)
        return checked;
    {
        QMutexLocker lock(&m_mutex);
        m_sinceStart.start();
    }

    PageFetcher::Settings fetchSettings;
    fetchSettings.userAgent = QString::fromLatin1(kUserAgent);
    fetchSettings.caFile = m_caFile;
    fetchSettings.stallTimeoutMs = m_stallTimeoutMs;
    PageFetcher fetcher(fetchSettings);
    fetcher.start(pageUrl);

    QList<QUrl> tried;
    QString openError;
    for (;;) {
        MediaCandidate next;
        const int waited = waitForCandidate(fetcher, tried, openError, &next);
        if (waited != Captured)
            return waited;
        tried << next.url;
        const int saved = captureCandidate(fetcher, next, targetFolder, &openError, savedPath);
        if (saved != kTryNext)
            return saved;
    }
}

int CSnifferManger::waitForCandidate(PageFetcher &fetcher, const QList<QUrl> &tried, const QString &openError,
                                     MediaCandidate *next)
{
    // Wakes the waiting below often enough to notice a stop or a report.
    QEventLoop loop;
    QTimer tick;
    tick.start(40);
    for (;;) {
        if (m_stop) {
            fetcher.abort();
            return fail(Stopped, QStringLiteral("stopped"));
        }
        MediaCandidateList known = browserCandidates();
        if (fetcher.isFinished())
            known += fetcher.candidates();
        *next = pickNext(known, tried);
        if (next->url.isValid())
            return Captured;
        if (fetcher.isFinished() && browserDone()) {
            if (!openError.isEmpty())
                return fail(NoMedia, openError);
            if (!fetcher.succeeded())
                return fail(PageUnreachable, fetcher.errorString());
            return fail(NoMedia, QStringLiteral("no video or audio was found on %1")
                                     .arg(fetcher.finalUrl().toDisplayString()));
        }
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

int CSnifferManger::captureCandidate(const PageFetcher &fetcher, const MediaCandidate &candidate,
                                     const QString &folder, QString *openError, QString *savedPath)
{
    StreamSaver saver(m_stop, m_progress);
    StreamSaver::Settings saveSettings;
    saveSettings.userAgent = QString::fromLatin1(kUserAgent);
    saveSettings.referer = fetcher.finalUrl().toString();
    saveSettings.caFile = m_caFile;
    saveSettings.stallTimeoutMs = m_stallTimeoutMs;
    saveSettings.limits = m_limits;
    QString error;
    if (!saver.open(candidate.url, saveSettings, &error)) {
        if (saver.stopped())
            return fail(Stopped, QStringLiteral("stopped"));
        *openError = error;
        return kTryNext;
    }
    // Media addressed directly is named after its file (a browser shows
    // such an address under a made-up title).
    QString title;
    if (!fetcher.isDirectMedia()) {
        title = fetcher.title();
        if (title.isEmpty())
            title = browserTitle();
    }
    const QString base = CaptureNaming::baseName(title, candidate.url);
    QString path;
    if (!saver.save(folder, base, &path, &error))
        return fail(saver.stopped() ? Stopped : SaveFailed, error);
    if (savedPath)
        *savedPath = path;
    return Captured;
}
