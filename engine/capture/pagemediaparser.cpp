#include "engine/capture/pagemediaparser.h"

#include "engine/capture/mediaurlkind.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace {

using Attributes = QHash<QString, QString>;

Attributes readAttributes(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("([^\\s=/>\"']+)(?:\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+)))?"));
    Attributes attrs;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString name = m.captured(1).toLower();
        QString value = m.captured(2);
        if (value.isNull())
            value = m.captured(3);
        if (value.isNull())
            value = m.captured(4);
        if (!attrs.contains(name))
            attrs.insert(name, PageMediaParser::decodeEntities(value).trimmed());
    }
    return attrs;
}

QString collapseSpaces(const QString &text)
{
    return text.simplified();
}

class Collector {
public:
    explicit Collector(const QUrl &base) : m_base(base) {}

    void setBase(const QString &href)
    {
        const QUrl url = m_base.resolved(QUrl(href));
        if (url.isValid())
            m_base = url;
    }

    QUrl resolve(const QString &address) const
    {
        return address.isEmpty() ? QUrl() : m_base.resolved(QUrl(address)).adjusted(QUrl::RemoveFragment);
    }

    void add(const QString &address, MediaCandidate::Source source)
    {
        if (address.isEmpty())
            return;
        const QUrl url = m_base.resolved(QUrl(address));
        if (!MediaUrlKind::isFetchable(url))
            return;
        MediaCandidate c;
        c.url = url.adjusted(QUrl::RemoveFragment);
        c.source = source;
        m_found << c;
    }

    MediaCandidateList result() const
    {
        MediaCandidateList sorted = m_found;
        std::stable_sort(sorted.begin(), sorted.end(), [](const MediaCandidate &a, const MediaCandidate &b) {
            return a.rank() < b.rank();
        });
        MediaCandidateList unique;
        for (const MediaCandidate &c : sorted) {
            if (!unique.contains(c))
                unique << c;
        }
        return unique;
    }

private:
    QUrl m_base;
    MediaCandidateList m_found;
};

bool isManifestType(const QString &type)
{
    const MediaUrlKind::Kind kind = MediaUrlKind::fromMimeType(type);
    return kind == MediaUrlKind::HlsManifest || kind == MediaUrlKind::DashManifest;
}

bool isManifest(MediaUrlKind::Kind kind)
{
    return kind == MediaUrlKind::HlsManifest || kind == MediaUrlKind::DashManifest;
}

enum class Inside { Nothing, Video, Audio };

// <video>, <audio> and the <source> elements inside them.
void noteMediaElement(const QString &name, const Attributes &attrs, Inside &inside, Collector &collector)
{
    if (name == QLatin1String("video")) {
        inside = Inside::Video;
        collector.add(attrs.value("src"), MediaCandidate::VideoElement);
    } else if (name == QLatin1String("audio")) {
        inside = Inside::Audio;
        collector.add(attrs.value("src"), MediaCandidate::AudioElement);
    } else if (inside == Inside::Video) {
        // <source> also appears in <picture>; only media elements count.
        collector.add(attrs.value("src"), MediaCandidate::VideoSource);
    } else if (inside == Inside::Audio) {
        collector.add(attrs.value("src"), MediaCandidate::AudioElement);
    }
}

// <meta> of the social previews and <link> to a manifest.
void noteHeadElement(const QString &name, const Attributes &attrs, Collector &collector)
{
    if (name == QLatin1String("meta")) {
        const QString key =
            (attrs.contains("property") ? attrs.value("property") : attrs.value("name")).toLower();
        if (key == QLatin1String("og:video") || key == QLatin1String("og:video:url") ||
            key == QLatin1String("og:video:secure_url") || key == QLatin1String("twitter:player:stream"))
            collector.add(attrs.value("content"), MediaCandidate::OpenGraph);
        return;
    }
    const QString href = attrs.value("href");
    if (isManifestType(attrs.value("type")) || isManifest(MediaUrlKind::fromUrl(QUrl(href))))
        collector.add(href, MediaCandidate::ManifestLink);
}

// <a>, <embed> and <object> pointing at a manifest or a media file.
void noteLinkElement(const QString &name, const Attributes &attrs, Collector &collector)
{
    const QString href = attrs.value(name == QLatin1String("a")       ? QStringLiteral("href")
                                     : name == QLatin1String("embed") ? QStringLiteral("src")
                                                                      : QStringLiteral("data"));
    const MediaUrlKind::Kind kind = MediaUrlKind::fromUrl(QUrl(href));
    if (isManifest(kind))
        collector.add(href, MediaCandidate::ManifestLink);
    else if (kind == MediaUrlKind::MediaFile)
        collector.add(href, MediaCandidate::MediaLink);
}

void noteOpeningTag(const QString &name, const Attributes &attrs, Inside &inside, Collector &collector,
                    QList<QUrl> *frames)
{
    if (name == QLatin1String("base")) {
        if (attrs.contains("href"))
            collector.setBase(attrs.value("href"));
    } else if (name == QLatin1String("video") || name == QLatin1String("audio") ||
               name == QLatin1String("source")) {
        noteMediaElement(name, attrs, inside, collector);
    } else if (name == QLatin1String("meta") || name == QLatin1String("link")) {
        noteHeadElement(name, attrs, collector);
    } else if (name == QLatin1String("iframe") || name == QLatin1String("frame")) {
        const QUrl frame = collector.resolve(attrs.value("src"));
        if (MediaUrlKind::isFetchable(frame) && !frames->contains(frame))
            *frames << frame;
    } else if (name == QLatin1String("a") || name == QLatin1String("embed") ||
               name == QLatin1String("object")) {
        noteLinkElement(name, attrs, collector);
    }
}

// Players set up by script name their manifest in a string literal (often
// JSON, with escaped slashes).
void noteScriptManifests(const QString &html, Collector &collector)
{
    static const QRegularExpression manifestRe(
        QStringLiteral("[\"']([^\"'\\s<>]+?\\.(?:m3u8|mpd)(?:\\?[^\"'\\s<>]*)?)[\"']"),
        QRegularExpression::CaseInsensitiveOption);
    auto mit = manifestRe.globalMatch(html);
    while (mit.hasNext()) {
        QString address = mit.next().captured(1);
        address.replace(QLatin1String("\\/"), QLatin1String("/"));
        collector.add(PageMediaParser::decodeEntities(address), MediaCandidate::ManifestLink);
    }
}

} // namespace

QString PageMediaParser::decodeEntities(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QHash<QString, QString> named = {{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                                                  {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    static const QRegularExpression re(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z]{2,8});"));
    QString out;
    int last = 0;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        const QString ent = m.captured(1);
        QString replacement = m.captured(0);
        if (ent.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = ent.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                                  ? ent.mid(2).toUInt(&ok, 16)
                                  : ent.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                const char32_t c = code;
                replacement = QString::fromUcs4(&c, 1);
            }
        } else if (named.contains(ent.toLower())) {
            replacement = named.value(ent.toLower());
        }
        out += replacement;
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

PageMediaParser::Result PageMediaParser::parse(const QByteArray &html, const QUrl &pageUrl,
                                               const QString &contentType)
{
    // The charset named by the server wins; then the page's own meta tag.
    static const QRegularExpression charsetRe(QStringLiteral("charset\\s*=\\s*\"?([A-Za-z0-9_.:-]+)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const auto m = charsetRe.match(contentType);
    QStringDecoder decoder;
    if (m.hasMatch())
        decoder = QStringDecoder(m.captured(1).toLatin1().constData());
    if (!decoder.isValid()) {
        const auto fromPage = QStringConverter::encodingForHtml(html);
        decoder = QStringDecoder(fromPage.value_or(QStringConverter::Utf8));
    }
    return parse(QString(decoder.decode(html)), pageUrl);
}

PageMediaParser::Result PageMediaParser::parse(const QString &source, const QUrl &pageUrl)
{
    Result result;
    Collector collector(pageUrl);

    // Comments hide what they hold from the browser, so from us too.
    static const QRegularExpression commentRe(QStringLiteral("<!--.*?-->"),
                                              QRegularExpression::DotMatchesEverythingOption);
    QString html = source;
    html.remove(commentRe);

    static const QRegularExpression tagRe(
        QStringLiteral("<(/?)([a-zA-Z][a-zA-Z0-9:-]*)((?:[^>\"']|\"[^\"]*\"|'[^']*')*)>"));
    Inside inside = Inside::Nothing;
    int titleStart = -1;

    auto it = tagRe.globalMatch(html);
    while (it.hasNext()) {
        const auto tag = it.next();
        const bool closing = !tag.captured(1).isEmpty();
        const QString name = tag.captured(2).toLower();
        if (name == QLatin1String("title")) {
            if (!closing && titleStart < 0 && result.title.isEmpty())
                titleStart = int(tag.capturedEnd());
            else if (closing && titleStart >= 0) {
                result.title =
                    collapseSpaces(decodeEntities(html.mid(titleStart, tag.capturedStart() - titleStart)));
                titleStart = -1;
            }
        } else if (closing) {
            if (name == QLatin1String("video") || name == QLatin1String("audio"))
                inside = Inside::Nothing;
        } else {
            noteOpeningTag(name, readAttributes(tag.captured(3)), inside, collector, &result.frames);
        }
    }
    noteScriptManifests(html, collector);

    result.candidates = collector.result();
    return result;
}
