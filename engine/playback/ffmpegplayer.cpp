#include "engine/playback/ffmpegplayer.h"

#include "engine/av/enginelog.h"
#include "engine/playback/playeraudiooutput.h"
#include "engine/playback/playerfilterstate.h"
#include "engine/playback/playersession.h"
#include "engine/playback/playervideooutput.h"
#include "engine/playback/sessionreaper.h"
#include "engine/probe/mediaprobe.h"

#include <QDebug>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

namespace {
std::atomic<int64_t> g_wndId{0};

// Destroy observers live outside the player so that an observer destroyed
// after the player (or before it is ever created) is handled safely.
struct ObserverList {
    std::mutex mutex;
    std::vector<IPlayerDestroyObserver *> observers;
};
ObserverList &observerList()
{
    static auto *list = new ObserverList; // never destroyed: observers may outlive statics
    return *list;
}
// The players alive now and the one the application registered.  The window
// id is shared, so a change of it reaches every player.
struct PlayerList {
    std::mutex mutex;
    std::vector<CffmpegPlayer *> players;
    CffmpegPlayer *registered = nullptr;
};
PlayerList &playerList()
{
    static auto *list = new PlayerList; // never destroyed: a static player may outlive it otherwise
    return *list;
}
std::vector<CffmpegPlayer *> livePlayers()
{
    PlayerList &l = playerList();
    std::lock_guard<std::mutex> lock(l.mutex);
    return l.players;
}
} // namespace

IPlayerDestroyObserver::~IPlayerDestroyObserver()
{
    ObserverList &l = observerList();
    std::lock_guard<std::mutex> lock(l.mutex);
    l.observers.erase(std::remove(l.observers.begin(), l.observers.end(), this), l.observers.end());
}

struct CffmpegPlayer::Impl {
    playback::VideoOutput output{[] { return CffmpegPlayer::getWndID(); }};
    playback::AudioOutput audio;
    playback::FilterState filters;
    playback::SessionReaper reaper; // declared after the outputs: finished playbacks go before them
    std::unique_ptr<playback::PlayerSession> session;
    std::string path; // the file opened for playback, empty when none
    int64_t sectionStart = -1;
    int64_t sectionEnd = -1;
    int volume = 128;
    bool muted = false;
    bool notifying = false;
    int64_t shownBefore = 0;
    int64_t droppedBefore = 0;
};

CffmpegPlayer::CffmpegPlayer() : m_probe(std::make_unique<MediaProbe>()), d(std::make_unique<Impl>())
{
    PlayerList &l = playerList();
    std::lock_guard<std::mutex> lock(l.mutex);
    l.players.push_back(this);
}

CffmpegPlayer::~CffmpegPlayer()
{
    notifyDestroyObservers(PLAYER_DESTROYED);
    {
        PlayerList &l = playerList();
        std::lock_guard<std::mutex> lock(l.mutex);
        l.players.erase(std::remove(l.players.begin(), l.players.end(), this), l.players.end());
        if (l.registered == this)
            l.registered = nullptr;
    }
    d->session.reset();
}

void CffmpegPlayer::setWndID(int64_t id)
{
    if (g_wndId == id) {
        return;
    }
    // The owner of the window being given up hears of it while it still owns it.
    const std::vector<CffmpegPlayer *> players = livePlayers();
    for (CffmpegPlayer *p : players) {
        if (p->d->session)
            p->notifyDestroyObservers(PLAYER_WINDOW_CHANGED);
    }
    g_wndId = id;
    for (CffmpegPlayer *p : players) {
        p->d->output.noteWindow(id);
        if (p->d->session)
            p->d->session->refresh();
    }
}

int64_t CffmpegPlayer::getWndID()
{
    return g_wndId;
}

int CffmpegPlayer::OpenFile(const char *path)
{
    endSession(PLAYER_STOPPED);
    d->path.clear();
    d->output.clear();
    d->sectionStart = d->sectionEnd = -1;
    d->shownBefore = d->droppedBefore = 0;
    if (!path || !*path)
        return 0;
    // The session plays, the probe answers GetFileInfo and friends.  The
    // session opens first: a file it refuses (or an input that stalls until
    // the open deadline) costs the caller one wait, not two.
    d->path = path;
    if (!ensureSession()) {
        d->path.clear();
        m_probe->close();
        return 0;
    }
    if (!m_probe->open(path))
        qCDebug(lcPlayer, "player: no file information for [%s]", path);
    return 1;
}

bool CffmpegPlayer::ensureSession()
{
    if (d->session)
        return true;
    if (d->path.empty())
        return false;
    auto session = std::make_unique<playback::PlayerSession>(d->filters, d->output, d->audio);
    std::string error;
    if (!session->open(d->path, &error)) {
        qCDebug(lcPlayer, "player: [%s] cannot be played: %s", d->path.c_str(), error.c_str());
        return false;
    }
    session->setSection(d->sectionStart, d->sectionEnd);
    session->setVolume(d->volume);
    session->setMuted(d->muted);
    d->output.setSource(session.get());
    d->session = std::move(session);
    return true;
}

void CffmpegPlayer::endSession(int reason)
{
    if (!d->session)
        return;
    notifyDestroyObservers(reason);
    if (auto session = std::move(d->session)) { // an observer may have ended it already
        d->shownBefore += int64_t(session->shownFrames());
        d->droppedBefore += int64_t(session->droppedFrames());
        d->output.setSource(nullptr);
        d->reaper.take(std::move(session));
    }
}

int CffmpegPlayer::GetFileInfo(FileInfo *info)
{
    return info && m_probe->fillFileInfo(info) ? 1 : 0;
}

int CffmpegPlayer::IsAudioFile()
{
    if (m_probe->isOpen())
        return m_probe->isAudioOnly() ? 1 : 0;
    return d->session && !d->session->hasVideo() ? 1 : 0;
}

int CffmpegPlayer::GetThumbImage(unsigned char *&buffer, int64_t ms)
{
    m_thumb = m_probe->thumbnailJpeg(ms);
    buffer = m_thumb.empty() ? nullptr : m_thumb.data();
    return static_cast<int>(m_thumb.size());
}

void CffmpegPlayer::CloseFile()
{
    endSession(PLAYER_STOPPED);
    m_probe->close();
    d->path.clear();
    d->output.clear();
    d->sectionStart = d->sectionEnd = -1;
}

std::string CffmpegPlayer::GetOpenedFileName() const
{
    if (!d->path.empty())
        return d->path;
    return m_probe->isOpen() ? m_probe->path() : std::string();
}

void CffmpegPlayer::SetInitSize(int width, int height)
{
    d->output.setInitSize(QSize(std::max(0, width), std::max(0, height)));
    if (d->session)
        d->session->refresh();
}

int CffmpegPlayer::Play()
{
    if (!ensureSession())
        return 0;
    d->session->play();
    return 1;
}

int CffmpegPlayer::Pause()
{
    if (!d->session)
        return 0;
    d->session->pause();
    return 1;
}

int CffmpegPlayer::Stop()
{
    // The file stays open; the next Play starts the section again.
    endSession(PLAYER_STOPPED);
    d->output.clear();
    return 1;
}

int CffmpegPlayer::Seek(double ms)
{
    if (!d->session || !std::isfinite(ms))
        return 0;
    d->session->seek(ms);
    return 1;
}

void CffmpegPlayer::SetStartEndPos(int64_t startMs, int64_t endMs)
{
    d->sectionStart = startMs;
    d->sectionEnd = endMs;
    if (d->session)
        d->session->setSection(startMs, endMs);
}

double CffmpegPlayer::GetCurrentPosition()
{
    return d->session ? d->session->position() : 0.0;
}

int CffmpegPlayer::GetPlayStatus()
{
    return d->session ? d->session->status() : PLAY_STATUS_STOPPED;
}

void CffmpegPlayer::SetVolumn(int volume)
{
    d->volume = std::clamp(volume, 0, 128);
    if (d->session)
        d->session->setVolume(d->volume);
}

void CffmpegPlayer::SetSilent()
{
    d->muted = !d->muted;
    if (d->session)
        d->session->setMuted(d->muted);
}

int CffmpegPlayer::SnapImage(const char *path, int type)
{
    if (!path || !*path || (type != 1 && type != 2) || !d->session)
        return 0;
    std::string error;
    if (!d->session->snapshot(path, type, &error)) {
        qCWarning(lcPlayer, "player: snapshot [%s] failed: %s", path, error.c_str());
        return 0;
    }
    return 1;
}

void CffmpegPlayer::GetShowRect(int &x, int &y, int &width, int &height)
{
    const double aspect = d->session ? d->session->pictureAspect() : 0.0;
    const QRect r = playback::fitRect(d->output.targetSize(), aspect);
    x = r.x();
    y = r.y();
    width = r.width();
    height = r.height();
}

void CffmpegPlayer::SetZoomFilter(int mode, int width, int height)
{
    d->filters.edit([&](FilterSettings &f) {
        f.zoomMode = mode;
        f.zoomWidth = width;
        f.zoomHeight = height;
    });
    onFiltersChanged();
}

void CffmpegPlayer::setFilters(const FilterSettings &settings)
{
    d->filters.set(settings);
    onFiltersChanged();
}

FilterSettings CffmpegPlayer::filters() const
{
    return d->filters.snapshot();
}

FilterSettings CffmpegPlayer::filterSnapshot(uint64_t *generation) const
{
    return d->filters.snapshot(generation);
}

uint64_t CffmpegPlayer::filterGeneration() const
{
    return d->filters.generation();
}

void CffmpegPlayer::resetFilters()
{
    setFilters(FilterSettings());
}

bool CffmpegPlayer::testAndRefresh(int64_t id)
{
    if (id == 0 || id != g_wndId)
        return false;
    bool stale = false;
    const bool painted = d->output.paint(id, &stale);
    if (stale && d->session)
        d->session->refresh();
    return painted;
}

void CffmpegPlayer::addDestroyObserver(IPlayerDestroyObserver *observer)
{
    FFP_AddDestroyObserver(observer);
}

void CffmpegPlayer::removeDestroyObserver(IPlayerDestroyObserver *observer)
{
    ObserverList &l = observerList();
    std::lock_guard<std::mutex> lock(l.mutex);
    l.observers.erase(std::remove(l.observers.begin(), l.observers.end(), observer), l.observers.end());
}

void CffmpegPlayer::notifyDestroyObservers(int reason)
{
    // An observer typically calls Stop(), which must not notify again.
    if (d->notifying)
        return;
    d->notifying = true;
    std::vector<IPlayerDestroyObserver *> observers;
    {
        ObserverList &l = observerList();
        std::lock_guard<std::mutex> lock(l.mutex);
        observers = l.observers;
    }
    for (auto *o : observers) {
        ObserverList &l = observerList();
        {
            // Skip one that went away during an earlier notice.
            std::lock_guard<std::mutex> lock(l.mutex);
            if (std::find(l.observers.begin(), l.observers.end(), o) == l.observers.end())
                continue;
        }
        o->OnPlayerDestroy(reason);
    }
    d->notifying = false;
}

int64_t CffmpegPlayer::GetShownFrames() const
{
    return d->shownBefore + (d->session ? int64_t(d->session->shownFrames()) : 0);
}

int64_t CffmpegPlayer::GetDroppedFrames() const
{
    return d->droppedBefore + (d->session ? int64_t(d->session->droppedFrames()) : 0);
}

double CffmpegPlayer::GetShownFramePosition() const
{
    if (!d->session)
        return -1.0;
    const double pts = d->session->shownPtsMs();
    return std::isnan(pts) ? -1.0 : pts - double(std::max<int64_t>(0, d->sectionStart));
}

void CffmpegPlayer::onFiltersChanged()
{
    if (d && d->session)
        d->session->refresh();
}

CffmpegPlayer *FFP_GetPlayer()
{
    {
        PlayerList &l = playerList();
        std::lock_guard<std::mutex> lock(l.mutex);
        if (l.registered)
            return l.registered;
    }
    static CffmpegPlayer fallback;
    return &fallback;
}

void FFP_RegisterPlayer(CffmpegPlayer *player)
{
    PlayerList &l = playerList();
    std::lock_guard<std::mutex> lock(l.mutex);
    l.registered = player;
}

int64_t FFP_SetWndID(int64_t id)
{
    const int64_t old = CffmpegPlayer::getWndID();
    CffmpegPlayer::setWndID(id);
    return old;
}

bool FFP_TestAndRefresh(int64_t id)
{
    bool painted = false;
    for (CffmpegPlayer *p : livePlayers())
        painted = p->testAndRefresh(id) || painted;
    return painted;
}

void FFP_AddDestroyObserver(IPlayerDestroyObserver *observer)
{
    ObserverList &l = observerList();
    std::lock_guard<std::mutex> lock(l.mutex);
    if (observer && std::find(l.observers.begin(), l.observers.end(), observer) == l.observers.end())
        l.observers.push_back(observer);
}
