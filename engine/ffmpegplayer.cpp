#include "engine/ffmpegplayer.h"

#include "engine/mediaprobe.h"

#include <algorithm>
#include <atomic>

namespace {
std::atomic<int64_t> g_wndId{0};
}

// Playback pipeline state (threads, queues, clocks, output).
struct CffmpegPlayer::Impl {
    std::vector<IPlayerDestroyObserver *> observers;
};

CffmpegPlayer::CffmpegPlayer() : m_probe(std::make_unique<MediaProbe>()), d(std::make_unique<Impl>()) {}

CffmpegPlayer::~CffmpegPlayer() = default;

void CffmpegPlayer::setWndID(int64_t id)
{
    g_wndId = id;
}

int64_t CffmpegPlayer::getWndID()
{
    return g_wndId;
}

int CffmpegPlayer::OpenFile(const char *path)
{
    if (!path)
        return 0;
    return m_probe->open(path) ? 1 : 0;
}

int CffmpegPlayer::GetFileInfo(FileInfo *info)
{
    return info && m_probe->fillFileInfo(info) ? 1 : 0;
}

int CffmpegPlayer::IsAudioFile()
{
    return m_probe->isAudioOnly() ? 1 : 0;
}

int CffmpegPlayer::GetThumbImage(unsigned char *&buffer, int64_t ms)
{
    m_thumb = m_probe->thumbnailJpeg(ms);
    buffer = m_thumb.empty() ? nullptr : m_thumb.data();
    return static_cast<int>(m_thumb.size());
}

void CffmpegPlayer::CloseFile()
{
    Stop();
    m_probe->close();
}

std::string CffmpegPlayer::GetOpenedFileName() const
{
    return m_probe->isOpen() ? m_probe->path() : std::string();
}

void CffmpegPlayer::SetInitSize(int, int) {}
int CffmpegPlayer::Play()
{
    return 0;
}
int CffmpegPlayer::Pause()
{
    return 0;
}
int CffmpegPlayer::Stop()
{
    return 0;
}
int CffmpegPlayer::Seek(double)
{
    return 0;
}
void CffmpegPlayer::SetStartEndPos(int64_t, int64_t) {}
double CffmpegPlayer::GetCurrentPosition()
{
    return 0.0;
}
int CffmpegPlayer::GetPlayStatus()
{
    return PLAY_STATUS_STOPPED;
}
void CffmpegPlayer::SetVolumn(int) {}
void CffmpegPlayer::SetSilent() {}
int CffmpegPlayer::SnapImage(const char *, int)
{
    return 0;
}
void CffmpegPlayer::GetShowRect(int &x, int &y, int &width, int &height)
{
    x = y = width = height = 0;
}
void CffmpegPlayer::SetZoomFilter(int mode, int width, int height)
{
    changeFilters([&](FilterSettings &f) {
        f.zoomMode = mode;
        f.zoomWidth = width;
        f.zoomHeight = height;
    });
}
void CffmpegPlayer::AddhFilpFileter(int off)
{
    changeFilters([&](FilterSettings &f) { f.hFlip = off == 0; });
}
void CffmpegPlayer::AddvFilpFileter(int off)
{
    changeFilters([&](FilterSettings &f) { f.vFlip = off == 0; });
}
bool CffmpegPlayer::testAndRefresh(int64_t)
{
    return false;
}
void CffmpegPlayer::addDestroyObserver(IPlayerDestroyObserver *observer)
{
    if (observer && std::find(d->observers.begin(), d->observers.end(), observer) == d->observers.end())
        d->observers.push_back(observer);
}
void CffmpegPlayer::notifyDestroyObservers(int reason)
{
    const auto observers = d->observers;
    for (auto *o : observers)
        o->OnPlayerDestroy(reason);
}
void CffmpegPlayer::onFiltersChanged() {}

CffmpegPlayer *FFP_GetPlayer()
{
    static CffmpegPlayer player;
    return &player;
}

int64_t FFP_SetWndID(int64_t id)
{
    return g_wndId.exchange(id);
}

bool FFP_TestAndRefresh(int64_t id)
{
    return FFP_GetPlayer()->testAndRefresh(id);
}

void FFP_AddDestroyObserver(IPlayerDestroyObserver *observer)
{
    FFP_GetPlayer()->addDestroyObserver(observer);
}
