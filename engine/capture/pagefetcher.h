#pragma once

#include "engine/capture/mediacandidate.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkReply;

// Fetches a page without a browser (redirects followed, HTTPS checked) and
// tells what it holds: either the address answers with media itself (a
// file, an HLS playlist, a DASH manifest), or it is a page whose source is
// read for media addresses.  A page that names no media but embeds frames
// (where players often live) has its first few frames read as well.
// Lives on the thread that runs its event loop.
class PageFetcher : public QObject {
    Q_OBJECT
public:
    struct Settings {
        QString userAgent;
        QString caFile; // extra trusted certificates (PEM)
        int stallTimeoutMs = 20000;
        qint64 maxPageBytes = 8 * 1024 * 1024;
        int maxFrames = 4;
    };

    explicit PageFetcher(const Settings &settings, QObject *parent = nullptr);
    ~PageFetcher() override;

    void start(const QUrl &url);
    void abort();

    bool isFinished() const { return m_finished; }
    // After finishing: whether an answer came (a page or media).
    bool succeeded() const { return m_ok; }
    QString errorString() const { return m_error; }
    // Where the redirects led.
    QUrl finalUrl() const { return m_finalUrl; }
    QString title() const { return m_title; }
    // Whether the address answered with media rather than a page.
    bool isDirectMedia() const { return m_directMedia; }
    MediaCandidateList candidates() const { return m_candidates; }

signals:
    void finished();

private:
    void request(const QUrl &url);
    void dropReply();
    void onMetaDataChanged();
    void onReadyRead();
    void onFinished();
    // The current answer is media: the page itself, or one of its frames.
    void takeAsMedia();
    void readPage();
    void nextFrameOrFinish();
    void finish(bool ok, const QString &error);

    Settings m_settings;
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    QString m_contentType;
    QUrl m_currentUrl;
    QUrl m_finalUrl;
    QString m_title;
    MediaCandidateList m_candidates;
    QList<QUrl> m_frames; // still to read
    QString m_error;
    bool m_inFrame = false;
    bool m_finished = false;
    bool m_ok = false;
    bool m_directMedia = false;
};
