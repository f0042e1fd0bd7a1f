#include "engine/capture/inputgate.h"

#include "engine/capture/playlistentries.h"

#include <cstring>
#include <strings.h>

// A playlist handed to the demuxer from memory.  The first member stands
// where FFmpeg looks for an options class when it searches the context's
// children: there is none.
struct InputGate::MemoryBody {
    const void *noClass = nullptr;
    QByteArray data;
    int64_t pos = 0;
    av::IOContextPtr pb;

    static int read(void *opaque, uint8_t *buf, int size)
    {
        auto *self = static_cast<MemoryBody *>(opaque);
        const int64_t left = self->data.size() - self->pos;
        if (left <= 0)
            return AVERROR_EOF;
        const int n = int(std::min<int64_t>(left, size));
        memcpy(buf, self->data.constData() + self->pos, size_t(n));
        self->pos += n;
        return n;
    }

    static int64_t seek(void *opaque, int64_t offset, int whence)
    {
        auto *self = static_cast<MemoryBody *>(opaque);
        if (whence == AVSEEK_SIZE)
            return self->data.size();
        const int64_t base = (whence & 3) == SEEK_CUR   ? self->pos
                             : (whence & 3) == SEEK_END ? self->data.size()
                                                        : 0;
        if (base + offset < 0 || base + offset > self->data.size())
            return AVERROR(EINVAL);
        self->pos = base + offset;
        return self->pos;
    }
};

namespace {

QString key(const QUrl &url)
{
    return QString::fromLatin1(url.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments).toEncoded());
}

bool webScheme(const char *url)
{
    for (const char *allowed :
         {"http:", "https:", "crypto+http:", "crypto+https:", "crypto:http:", "crypto:https:"}) {
        if (strncasecmp(url, allowed, strlen(allowed)) == 0)
            return true;
    }
    return false;
}

// The address inside a "crypto+" or "crypto:" wrapper.
QUrl unwrapped(const char *url)
{
    QString s = QString::fromUtf8(url);
    if (s.startsWith(QLatin1String("crypto+"), Qt::CaseInsensitive))
        s = s.mid(7);
    else if (s.startsWith(QLatin1String("crypto:"), Qt::CaseInsensitive))
        s = s.mid(7);
    return QUrl(s, QUrl::TolerantMode);
}

} // namespace

InputGate::InputGate(const std::atomic<bool> &stop, const CaptureLimits &limits,
                     PlaylistFetch::Options httpOptions)
    : m_stop(stop), m_limits(limits),
      m_fetch(std::move(httpOptions), AVIOInterruptCB{&InputGate::onInterrupt, this}),
      m_windowStart(std::chrono::steady_clock::now())
{
}

InputGate::~InputGate() = default;

AVIOInterruptCB InputGate::interrupt()
{
    return AVIOInterruptCB{&InputGate::onInterrupt, this};
}

QString InputGate::reason() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_reason;
}

bool InputGate::trip(const QString &why)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_reason.isEmpty())
        m_reason = why;
    return false;
}

bool InputGate::checkChain(const QUrl &url, QString *error)
{
    m_fetched = 0;
    if (checkLevel(url, 1, {}, error))
        return true;
    trip(*error);
    return false;
}

bool InputGate::checkLevel(const QUrl &url, int depth, QList<QUrl> chain, QString *error)
{
    if (++m_fetched > m_limits.maxPlaylists) {
        *error = QStringLiteral("the playlist leads to more than %1 playlists").arg(m_limits.maxPlaylists);
        return false;
    }
    QByteArray text;
    QUrl finalUrl;
    std::string failure;
    if (!m_fetch.fetch(url, m_limits.maxPlaylistBytes, &text, &finalUrl, &failure)) {
        const QString why = reason();
        *error = m_stop.load()    ? QStringLiteral("stopped")
                 : !why.isEmpty() ? why
                                  : QString::fromStdString(failure);
        return false;
    }
    const PlaylistEntries entries = PlaylistEntries::read(text, finalUrl);
    if (chain.isEmpty()) {
        m_topIsPlaylist = entries.kind != PlaylistEntries::NotPlaylist;
        m_topText = m_topIsPlaylist ? text : QByteArray();
    }
    if (!entries.ok()) {
        *error = entries.refusal();
        return false;
    }
    if (entries.kind == PlaylistEntries::NotPlaylist)
        return true;
    chain << key(url) << key(finalUrl);
    m_playlists << key(url) << key(finalUrl);
    for (const QUrl &next : entries.playlists) {
        if (chain.contains(key(next))) {
            *error = QStringLiteral("the playlist leads back to itself: %1").arg(next.toDisplayString());
            return false;
        }
        if (depth >= m_limits.maxNesting) {
            *error =
                QStringLiteral("the playlists are nested more than %1 levels deep").arg(m_limits.maxNesting);
            return false;
        }
        if (!checkLevel(next, depth + 1, chain, error))
            return false;
    }
    return true;
}

void InputGate::attach(AVFormatContext *ctx)
{
    ctx->opaque = this;
    m_defaultOpen = ctx->io_open;
    m_defaultClose = ctx->io_close2;
    ctx->io_open = &InputGate::onOpen;
    ctx->io_close2 = &InputGate::onClose;
    m_windowStart = std::chrono::steady_clock::now();
    if (!m_topIsPlaylist)
        return;
    // The top-level playlist is read as it was checked; the demuxer's
    // reloads of it come through onOpen like every other.
    m_top = std::make_unique<MemoryBody>();
    m_top->data = m_topText;
    const int size = 4096;
    auto *buffer = static_cast<unsigned char *>(av_malloc(size));
    m_top->pb.reset(
        avio_alloc_context(buffer, size, 0, m_top.get(), &MemoryBody::read, nullptr, &MemoryBody::seek));
    if (!m_top->pb) {
        av_free(buffer);
        return;
    }
    ctx->pb = m_top->pb.get();
    ctx->flags |= AVFMT_FLAG_CUSTOM_IO;
}

AVIOContext *InputGate::fromMemory(const QByteArray &text)
{
    auto body = std::make_unique<MemoryBody>();
    body->data = text;
    const int size = 4096;
    auto *buffer = static_cast<unsigned char *>(av_malloc(size));
    if (!buffer)
        return nullptr;
    body->pb.reset(
        avio_alloc_context(buffer, size, 0, body.get(), &MemoryBody::read, nullptr, &MemoryBody::seek));
    if (!body->pb) {
        av_free(buffer);
        return nullptr;
    }
    AVIOContext *pb = body->pb.get();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_memory[pb] = std::move(body);
    return pb;
}

bool InputGate::isPlaylist(const QString &url) const
{
    const QUrl u(url, QUrl::TolerantMode);
    const QString path = u.path().toLower();
    return m_playlists.contains(key(u)) || path.endsWith(QLatin1String(".m3u8")) ||
           path.endsWith(QLatin1String(".m3u")) || path.endsWith(QLatin1String(".mpd"));
}

bool InputGate::noteReload(const QString &url, const QList<QUrl> &media)
{
    QSet<QString> &seen = m_seenMedia[url];
    const bool first = !m_idleReloads.contains(url);
    bool grew = false;
    for (const QUrl &m : media) {
        const QString k = key(m);
        if (!seen.contains(k)) {
            seen.insert(k);
            grew = true;
        }
    }
    int &idle = m_idleReloads[url];
    idle = first || grew ? 0 : idle + 1;
    if (idle < m_limits.maxIdleReloads)
        return true;
    return trip(QStringLiteral("the live playlist %1 brought no new segments in %2 reloads")
                    .arg(QUrl(url).toDisplayString())
                    .arg(idle));
}

int InputGate::openPlaylist(const QString &url, AVIOContext **pb)
{
    QByteArray text;
    QUrl finalUrl;
    std::string failure;
    if (!m_fetch.fetch(QUrl(url, QUrl::TolerantMode), m_limits.maxPlaylistBytes, &text, &finalUrl, &failure))
        return m_stop.load() || !reason().isEmpty() ? AVERROR_EXIT : AVERROR(EIO);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closedBytes += text.size();
    }
    const PlaylistEntries entries = PlaylistEntries::read(text, finalUrl);
    if (!entries.ok()) {
        trip(entries.refusal());
        return AVERROR(EPERM);
    }
    if (!entries.ended && !noteReload(key(QUrl(url)), entries.media))
        return AVERROR_EXIT;
    *pb = fromMemory(text);
    return *pb ? 0 : AVERROR(ENOMEM);
}

int InputGate::onOpen(AVFormatContext *s, AVIOContext **pb, const char *url, int flags,
                      AVDictionary **options)
{
    auto *self = static_cast<InputGate *>(s->opaque);
    if (!webScheme(url)) {
        PlaylistEntries refused;
        refused.refused = QString::fromUtf8(url);
        self->trip(refused.refusal());
        return AVERROR(EPERM);
    }
    const QString plain = QString::fromUtf8(unwrapped(url).toEncoded());
    if (!(flags & AVIO_FLAG_WRITE) && strncasecmp(url, "crypto", 6) != 0 && self->isPlaylist(plain))
        return self->openPlaylist(plain, pb);
    const int ret = self->m_defaultOpen(s, pb, url, flags, options);
    if (ret >= 0 && *pb) {
        std::lock_guard<std::mutex> lock(self->m_mutex);
        self->m_live.insert(*pb);
    }
    return ret;
}

int InputGate::onClose(AVFormatContext *s, AVIOContext *pb)
{
    auto *self = static_cast<InputGate *>(s->opaque);
    std::unique_ptr<MemoryBody> memory;
    {
        std::lock_guard<std::mutex> lock(self->m_mutex);
        const auto it = self->m_memory.find(pb);
        if (it != self->m_memory.end()) {
            memory = std::move(it->second);
            self->m_memory.erase(it);
        } else if (self->m_live.erase(pb)) {
            self->m_closedBytes += pb->bytes_read;
        }
    }
    if (memory)
        return 0; // freed with memory
    return self->m_defaultClose ? self->m_defaultClose(s, pb) : avio_close(pb);
}

void InputGate::forget(const AVIOContext *pb)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto *live = const_cast<AVIOContext *>(pb);
    if (pb && m_live.erase(live))
        m_closedBytes += pb->bytes_read;
}

int64_t InputGate::bytesSoFar() const
{
    int64_t total = m_closedBytes;
    for (const AVIOContext *pb : m_live)
        total += pb->bytes_read;
    return total;
}

bool InputGate::throughputOk()
{
    const auto now = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(m_mutex);
    const int64_t bytes = bytesSoFar();
    if (m_opening && bytes > m_limits.maxProbeBytes) {
        lock.unlock();
        return trip(
            QStringLiteral("no streams were found in the first %1 KiB").arg(m_limits.maxProbeBytes / 1024));
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_windowStart).count();
    if (elapsed < m_limits.stallWindowMs)
        return true;
    const int64_t got = bytes - m_windowBytes;
    m_windowStart = now;
    m_windowBytes = bytes;
    if (got >= m_limits.minWindowBytes)
        return true;
    lock.unlock();
    return trip(QStringLiteral("the transfer stalled: %1 bytes in %2 s")
                    .arg(got)
                    .arg(QString::number(elapsed / 1000.0, 'f', 1)));
}

int InputGate::onInterrupt(void *opaque)
{
    auto *self = static_cast<InputGate *>(opaque);
    if (self->m_stop.load() || !self->reason().isEmpty())
        return 1;
    return self->throughputOk() ? 0 : 1;
}
