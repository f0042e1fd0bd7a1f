#pragma once

#include <QString>
#include <QUrl>

// Tells media addresses from everything else a page loads: by MIME type
// when one is known, otherwise by the path's extension.
namespace MediaUrlKind {

enum Kind {
    NotMedia,
    MediaFile,    // a progressive file: mp4, webm, mp3...
    HlsManifest,  // .m3u8
    DashManifest, // .mpd
    Segment,      // a piece of a manifest's stream (.ts, .m4s): never captured alone
};

// Only http and https addresses are ever fetched.
bool isFetchable(const QUrl &url);

Kind fromMimeType(const QString &mimeType);
Kind fromUrl(const QUrl &url);
// MIME type first (when it says anything), then the extension.
Kind classify(const QUrl &url, const QString &mimeType = QString());

inline bool isCapturable(Kind kind)
{
    return kind == MediaFile || kind == HlsManifest || kind == DashManifest;
}

// The lower-case extension of the address's path, without the dot.
QString extensionOf(const QUrl &url);

} // namespace MediaUrlKind
