#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

// What an HLS playlist or a DASH manifest names, every address resolved
// against the playlist's own: the playlists it leads to (variants,
// alternative renditions) and the pieces of media (segments, keys,
// initialisation sections).  An entry that is not an http or https
// address is refused: only the web is ever read on a page's behalf.
struct PlaylistEntries {
    enum Kind { NotPlaylist, HlsMaster, HlsMedia, Dash };

    Kind kind = NotPlaylist;
    QList<QUrl> playlists; // variants and renditions, each to be read in turn
    QList<QUrl> media;     // segments, keys, initialisation sections
    bool ended = false;    // the HLS playlist is complete (no more reloads)
    QString refused;       // the first entry that is not http or https, as written

    bool ok() const { return refused.isEmpty(); }
    // "the playlist names an address that is not http or https: ..."
    QString refusal() const;

    static Kind kindOf(const QByteArray &text);
    static PlaylistEntries read(const QByteArray &text, const QUrl &base);
    // Whether an address as written (absolute or relative) stays on http or https.
    static bool staysOnTheWeb(const QString &written);
};
