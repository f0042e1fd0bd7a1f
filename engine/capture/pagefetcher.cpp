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
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply;
    }
}

void PageFetcher::start(const QUrl &url)
{
    m_finalUrl = url;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setTransferTimeout(m_settings.stallTimeoutMs);
    if (!m_settings.userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_settings.userAgent);
    if (!m_settings.caFile.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(m_settings.caFile);
        request.setSslConfiguration(ssl);
    }
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &PageFetcher::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetcher::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &PageFetcher::onFinished);
}

void PageFetcher::abort()
{
    if (m_finished)
        return;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    finish(false, QStringLiteral("stopped"));
}

void PageFetcher::onMetaDataChanged()
{
    if (!m_reply)
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400)
        return; // a redirect being followed
    m_finalUrl = m_reply->url();
    m_contentType = m_reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (status >= 400)
        return; // reported when it finishes
    // Media itself: the body is not ours to download here.
    const MediaUrlKind::Kind kind = MediaUrlKind::classify(m_finalUrl, m_contentType);
    if (MediaUrlKind::isCapturable(kind) || !isReadableText(m_contentType))
        finishAsMedia();
}

void PageFetcher::onReadyRead()
{
    if (!m_reply || m_finished)
        return;
    m_body += m_reply->read(m_settings.maxPageBytes - m_body.size());
    if (m_body.size() >= m_settings.maxPageBytes) {
        // A page this large is read as far as the limit.
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_readBody = false;
        onFinished();
    }
}

void PageFetcher::onFinished()
{
    if (m_finished)
        return;
    QNetworkReply *reply = m_reply;
    if (reply && m_readBody) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError || status >= 400) {
            QString reason = reply->errorString();
            if (status >= 400)
                reason = QStringLiteral("the server answered %1 %2")
                             .arg(status)
                             .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
            reply->deleteLater();
            finish(false, QStringLiteral("cannot load %1: %2").arg(m_finalUrl.toDisplayString(), reason));
            return;
        }
        m_finalUrl = reply->url();
        m_body += reply->readAll().left(m_settings.maxPageBytes - m_body.size());
        reply->deleteLater();
    }
    // A playlist or manifest served as text is media all the same.
    const QByteArray head = m_body.left(1024).trimmed();
    if (head.startsWith("#EXTM3U") || head.contains("<MPD")) {
        finishAsMedia();
        return;
    }
    const PageMediaParser::Result page = PageMediaParser::parse(m_body, m_finalUrl, m_contentType);
    m_title = page.title;
    m_candidates = page.candidates;
    finish(true, QString());
}

void PageFetcher::finishAsMedia()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    m_directMedia = true;
    MediaCandidate c;
    c.url = m_finalUrl;
    c.source = MediaCandidate::DirectAddress;
    m_candidates = {c};
    finish(true, QString());
}

void PageFetcher::finish(bool ok, const QString &error)
{
    m_finished = true;
    m_ok = ok;
    m_error = error;
    emit finished();
}
