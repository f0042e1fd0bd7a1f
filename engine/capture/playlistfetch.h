#pragma once

#include "engine/av/avptr.h"

#include <QByteArray>
#include <QUrl>

#include <string>
#include <utility>
#include <vector>

// Reads a small text (a playlist, a manifest) from the web through
// FFmpeg's own http client, which is allowed no other protocol.
class PlaylistFetch {
public:
    using Options = std::vector<std::pair<std::string, std::string>>;

    PlaylistFetch(Options httpOptions, const AVIOInterruptCB &interrupt);

    // Reads url whole, at most maxBytes; when it does not start like a
    // playlist or a manifest only its first kilobytes are read.  finalUrl
    // is where redirects led.  False with a reason when it cannot be read.
    bool fetch(const QUrl &url, int64_t maxBytes, QByteArray *body, QUrl *finalUrl, std::string *error) const;

private:
    Options m_options;
    AVIOInterruptCB m_interrupt;
};
