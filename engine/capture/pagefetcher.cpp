#include "engine/capture/pagefetcher.h"

#include "engine/capture/mediaurlkind.h"
#include "engine/capture/pagemediaparser.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>

namespace {

// Answers whose body is read as a page (or sniffed for a manifest).
bool isReadableText(const QString &contentType)
{
    const QString mime = contentType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    return mime.isEmpty() || mime.startsWith(QLatin1String("text/")) ||
           mime == QLatin1String("application/xhtml+xml") || mime == QLatin1String("application/xml");
}

} // namespace

PageFetcher::PageFetcher(const Settings &settings, QObject *parent) : QObject(parent), m_settings(settings) {}

PageFetcher::~PageFetcher()
{
    dropReply();
}

void PageFetcher::start(const QUrl &url)
{
    m_finalUrl = url;
    request(url);
}

void PageFetcher::request(const QUrl &url)
{
    m_currentUrl = url;
    m_body.clear();
    m_contentType.clear();
    QNetworkRequest req(url);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    req.setMaximumRedirectsAllowed(10);
    req.setTransferTimeout(m_settings.stallTimeoutMs);
    if (!m_settings.userAgent.isEmpty())
        req.setHeader(QNetworkRequest::UserAgentHeader, m_settings.userAgent);
    if (m_inFrame)
        req.setRawHeader("Referer", m_finalUrl.toEncoded());
    if (!m_settings.caFile.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(m_settings.caFile);
        req.setSslConfiguration(ssl);
    }
    m_reply = m_network.get(req);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &PageFetcher::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetcher::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &PageFetcher::onFinished);
}

void PageFetcher::dropReply()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}

void PageFetcher::abort()
{
    if (m_finished)
        return;
    dropReply();
    finish(false, QStringLiteral("stopped"));
}

void PageFetcher::onMetaDataChanged()
{
    if (!m_reply)
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400)
        return; // a redirect being followed
    m_currentUrl = m_reply->url();
    if (!m_inFrame)
        m_finalUrl = m_currentUrl;
    m_contentType = m_reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (status >= 400)
        return; // reported when it finishes
    // Media itself: the body is not ours to download here.
    const MediaUrlKind::Kind kind = MediaUrlKind::classify(m_currentUrl, m_contentType);
    if (MediaUrlKind::isCapturable(kind) || !isReadableText(m_contentType)) {
        dropReply();
        takeAsMedia();
    }
}

void PageFetcher::onReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->read(m_settings.maxPageBytes - m_body.size());
    if (m_body.size() >= m_settings.maxPageBytes) {
        // A page this large is read as far as the limit.
        dropReply();
        readPage();
    }
}

void PageFetcher::onFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status >= 400) {
        QString reason = reply->errorString();
        if (status >= 400)
            reason = QStringLiteral("the server answered %1 %2")
                         .arg(status)
                         .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
        dropReply();
        if (m_inFrame)
            nextFrameOrFinish(); // a broken frame does not spoil the page
        else
            finish(false, QStringLiteral("cannot load %1: %2").arg(m_currentUrl.toDisplayString(), reason));
        return;
    }
    m_currentUrl = reply->url();
    if (!m_inFrame)
        m_finalUrl = m_currentUrl;
    m_body += reply->readAll().left(m_settings.maxPageBytes - m_body.size());
    dropReply();
    readPage();
}

void PageFetcher::readPage()
{
    // A playlist or manifest served as text is media all the same.
    const QByteArray head = m_body.left(1024).trimmed();
    if (head.startsWith("#EXTM3U") || head.contains("<MPD")) {
        takeAsMedia();
        return;
    }
    const PageMediaParser::Result page = PageMediaParser::parse(m_body, m_currentUrl, m_contentType);
    for (const MediaCandidate &c : page.candidates) {
        if (!m_candidates.contains(c))
            m_candidates << c;
    }
    if (!m_inFrame) {
        m_title = page.title;
        m_frames = page.frames.mid(0, m_settings.maxFrames);
    }
    nextFrameOrFinish();
}

void PageFetcher::takeAsMedia()
{
    MediaCandidate c;
    c.url = m_currentUrl;
    // Media of a frame is the page's video, as if named by a <video>.
    c.source = m_inFrame ? MediaCandidate::VideoElement : MediaCandidate::DirectAddress;
    if (!m_inFrame)
        m_directMedia = true;
    if (!m_candidates.contains(c))
        m_candidates << c;
    nextFrameOrFinish();
}

void PageFetcher::nextFrameOrFinish()
{
    if (!m_candidates.isEmpty() || m_frames.isEmpty()) {
        finish(true, QString());
        return;
    }
    m_inFrame = true;
    request(m_frames.takeFirst());
}

void PageFetcher::finish(bool ok, const QString &error)
{
    if (m_finished)
        return;
    m_finished = true;
    m_ok = ok;
    m_error = error;
    emit finished();
}
