#pragma once

#include "engine/capture/mediacandidate.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// What a web page's source says about the media it plays: its title and
// every address that may carry the media, best first.  A tolerant scanner,
// not a full HTML parser: it reads tags and attributes, skips comments, and
// looks for manifest addresses in scripts as well.
class PageMediaParser {
public:
    struct Result {
        QString title;
        MediaCandidateList candidates; // sorted by rank, duplicates removed
        QList<QUrl> frames;            // <iframe>/<frame> pages, in order (players often live there)
    };

    // html in its own encoding (from contentType's charset, the page's meta
    // tag, or UTF-8); pageUrl resolves relative addresses.
    static Result parse(const QByteArray &html, const QUrl &pageUrl, const QString &contentType = QString());
    static Result parse(const QString &html, const QUrl &pageUrl);

    // "&amp;", "&#39;", "&#x2F;"... turned into characters.
    static QString decodeEntities(const QString &text);
};
