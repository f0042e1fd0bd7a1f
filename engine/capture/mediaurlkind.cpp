#include "engine/capture/mediaurlkind.h"

#include <QSet>

namespace {

const QSet<QString> &mediaExtensions()
{
    static const QSet<QString> set = {"mp4", "m4v",  "m4a", "mov", "webm", "mkv", "mka", "ogv", "ogg",
                                      "oga", "opus", "mp3", "aac", "flac", "wav", "flv", "f4v", "avi",
                                      "wmv", "wma",  "asf", "3gp", "3g2",  "mpg", "mpeg"};
    return set;
}

} // namespace

namespace MediaUrlKind {

bool isFetchable(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QString extensionOf(const QUrl &url)
{
    const QString path = url.path();
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return QString();
    return path.mid(dot + 1).toLower();
}

Kind fromMimeType(const QString &mimeType)
{
    const QString mime = mimeType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    if (mime.isEmpty())
        return NotMedia;
    if (mime == QLatin1String("application/vnd.apple.mpegurl") ||
        mime == QLatin1String("application/x-mpegurl") || mime == QLatin1String("audio/mpegurl") ||
        mime == QLatin1String("audio/x-mpegurl"))
        return HlsManifest;
    if (mime == QLatin1String("application/dash+xml"))
        return DashManifest;
    if (mime == QLatin1String("video/mp2t") || mime == QLatin1String("video/iso.segment"))
        return Segment;
    if (mime.startsWith(QLatin1String("video/")) || mime.startsWith(QLatin1String("audio/")))
        return MediaFile;
    return NotMedia;
}

Kind fromUrl(const QUrl &url)
{
    const QString ext = extensionOf(url);
    if (ext == QLatin1String("m3u8"))
        return HlsManifest;
    if (ext == QLatin1String("mpd"))
        return DashManifest;
    if (ext == QLatin1String("ts") || ext == QLatin1String("m4s"))
        return Segment;
    return mediaExtensions().contains(ext) ? MediaFile : NotMedia;
}

Kind classify(const QUrl &url, const QString &mimeType)
{
    const Kind byMime = fromMimeType(mimeType);
    return byMime != NotMedia ? byMime : fromUrl(url);
}

} // namespace MediaUrlKind
