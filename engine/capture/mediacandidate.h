#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// One address that may carry the media a page plays, with where it was
// learnt.  Lower ranks are tried first; within a rank, the order found.
struct MediaCandidate {
    enum Source {
        DirectAddress,  // the address itself answers with media
        WebViewRequest, // the page's player asked for it in the web view
        VideoElement,   // <video src>
        VideoSource,    // <source> inside <video>
        OpenGraph,      // og:video and similar meta tags
        ManifestLink,   // an HLS or DASH manifest named anywhere on the page
        AudioElement,   // <audio src> or its <source>
        MediaLink,      // <a href> to a media file
    };

    QUrl url;
    Source source = VideoElement;

    int rank() const { return int(source); }
    bool operator==(const MediaCandidate &other) const { return url == other.url; }
};

using MediaCandidateList = QList<MediaCandidate>;
