#include "engine/capture/playlistentries.h"

#include <QRegularExpression>

namespace {

QString attribute(const QString &line, const QString &name)
{
    const QRegularExpression re(QStringLiteral("(?:^|[:,])%1=\"([^\"]*)\"").arg(name));
    return re.match(line).captured(1);
}

class Reader {
public:
    Reader(const QUrl &base, PlaylistEntries &out) : m_base(base), m_out(out) {}

    // Adds an address the playlist names; false once one was refused.
    bool take(const QString &written, QList<QUrl> &into)
    {
        const QString entry = written.trimmed();
        if (entry.isEmpty() || !m_out.refused.isEmpty())
            return m_out.refused.isEmpty();
        const QUrl url = m_base.resolved(QUrl(entry, QUrl::TolerantMode));
        const QString scheme = url.scheme().toLower();
        if (!PlaylistEntries::staysOnTheWeb(entry) ||
            (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
            m_out.refused = entry;
            return false;
        }
        into << url;
        return true;
    }

private:
    QUrl m_base;
    PlaylistEntries &m_out;
};

void readHls(const QByteArray &text, Reader &reader, PlaylistEntries &out)
{
    bool variantNext = false;
    for (const QByteArray &raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty())
            continue;
        if (!line.startsWith(QLatin1Char('#'))) {
            reader.take(line, variantNext ? out.playlists : out.media);
            variantNext = false;
        } else if (line.startsWith(QLatin1String("#EXT-X-STREAM-INF"))) {
            variantNext = true;
        } else if (line.startsWith(QLatin1String("#EXT-X-MEDIA:"))) {
            reader.take(attribute(line, QStringLiteral("URI")), out.playlists);
        } else if (line.startsWith(QLatin1String("#EXT-X-ENDLIST"))) {
            out.ended = true;
        } else if (line.startsWith(QLatin1String("#EXT-X-"))) {
            // Keys, initialisation sections, I-frame lists, session keys...
            reader.take(attribute(line, QStringLiteral("URI")), out.media);
        }
        if (!out.ok())
            return;
    }
}

void readDash(const QByteArray &text, Reader &reader, PlaylistEntries &out)
{
    const QString xml = QString::fromUtf8(text);
    static const QRegularExpression base(QStringLiteral("<(?:\\w+:)?BaseURL[^>]*>([^<]*)<"));
    for (auto it = base.globalMatch(xml); it.hasNext();) {
        if (!reader.take(it.next().captured(1), out.media))
            return;
    }
    static const QRegularExpression attr(
        QStringLiteral("\\s(?:initialization|media|sourceURL|index)\\s*=\\s*[\"']([^\"']*)[\"']"));
    for (auto it = attr.globalMatch(xml); it.hasNext();) {
        if (!reader.take(it.next().captured(1), out.media))
            return;
    }
}

} // namespace

QString PlaylistEntries::refusal() const
{
    return QStringLiteral("the playlist names an address that is not http or https: %1")
        .arg(refused.left(200));
}

PlaylistEntries::Kind PlaylistEntries::kindOf(const QByteArray &text)
{
    const QByteArray head = text.left(4096).trimmed();
    if (head.startsWith("\xEF\xBB\xBF#EXTM3U") || head.startsWith("#EXTM3U"))
        return text.contains("#EXT-X-STREAM-INF") ? HlsMaster : HlsMedia;
    if (head.contains("<MPD"))
        return Dash;
    return NotPlaylist;
}

bool PlaylistEntries::staysOnTheWeb(const QString &written)
{
    const QString entry = written.trimmed();
    // FFmpeg reads "subfile,,start,..,end,..,,:path" as a protocol of its own.
    if (entry.startsWith(QLatin1String("subfile,"), Qt::CaseInsensitive))
        return false;
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z0-9+.-]+):"));
    const QRegularExpressionMatch m = scheme.match(entry);
    if (!m.hasMatch())
        return !entry.startsWith(QLatin1String("\\")); // relative to the playlist
    const QString name = m.captured(1).toLower();
    return name == QLatin1String("http") || name == QLatin1String("https");
}

PlaylistEntries PlaylistEntries::read(const QByteArray &text, const QUrl &base)
{
    PlaylistEntries out;
    out.kind = kindOf(text);
    Reader reader(base, out);
    if (out.kind == HlsMaster || out.kind == HlsMedia)
        readHls(text, reader, out);
    else if (out.kind == Dash)
        readDash(text, reader, out);
    return out;
}
