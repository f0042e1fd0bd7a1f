#include "engine/capture/playlistfetch.h"

#include "engine/capture/playlistentries.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <algorithm>

PlaylistFetch::PlaylistFetch(Options httpOptions, const AVIOInterruptCB &interrupt)
    : m_options(std::move(httpOptions)), m_interrupt(interrupt)
{
}

bool PlaylistFetch::fetch(const QUrl &url, int64_t maxBytes, QByteArray *body, QUrl *finalUrl,
                          std::string *error) const
{
    body->clear();
    *finalUrl = url;
    av::Dictionary opts;
    for (const auto &[key, value] : m_options)
        opts.set(key.c_str(), value.c_str());
    opts.set("protocol_whitelist", "http,https,tcp,tls,httpproxy");
    AVIOContext *raw = nullptr;
    const int ret =
        avio_open2(&raw, url.toEncoded().constData(), AVIO_FLAG_READ, &m_interrupt, opts.address());
    if (ret < 0)
        return av::failWith(error,
                            "cannot open " + url.toDisplayString().toStdString() + ": " + av::errorText(ret));
    const std::unique_ptr<AVIOContext, int (*)(AVIOContext *)> pb(raw, avio_close);
    uint8_t *location = nullptr;
    if (av_opt_get(raw, "location", AV_OPT_SEARCH_CHILDREN, &location) >= 0 && location) {
        *finalUrl = QUrl::fromEncoded(QByteArray(reinterpret_cast<const char *>(location)));
        av_free(location);
    }
    constexpr int kHead = 2048;
    char chunk[16384];
    while (body->size() < maxBytes) {
        const int want = int(std::min<int64_t>(sizeof(chunk), maxBytes - body->size()));
        const int got = avio_read(raw, reinterpret_cast<unsigned char *>(chunk), want);
        if (got == AVERROR_EOF || got == 0)
            break;
        if (got < 0)
            return av::failWith(error, "cannot read " + url.toDisplayString().toStdString() + ": " +
                                           av::errorText(got));
        body->append(chunk, got);
        if (body->size() >= kHead && PlaylistEntries::kindOf(*body) == PlaylistEntries::NotPlaylist)
            return true; // media: not ours to read
    }
    if (body->size() >= maxBytes && !avio_feof(raw))
        return av::failWith(error, "the playlist " + url.toDisplayString().toStdString() +
                                       " is larger than " + std::to_string(maxBytes / 1024) + " KiB");
    return true;
}
