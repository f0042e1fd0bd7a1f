#include "core/media/videoinfomanager.h"

#include "core/config/videouserconfig.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <utility>

VideoInfoManager *VideoInfoManager::instance()
{
    static VideoInfoManager *manager = [] {
        auto *registry = new VideoInfoManager;
        VideoUserConfig::instance()->setRowPathSource(
            [registry](int row) { return registry->filePath(row); });
        return registry;
    }();
    return manager;
}

VideoInfoManager::VideoInfoManager(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<VideoBasicInfo>();
}

VideoInfoManager::~VideoInfoManager() = default;

void VideoInfoManager::setLoadStep(VideoLoadStep *step)
{
    m_loadStep = step;
}

VideoLoadStep *VideoInfoManager::loadStep() const
{
    return m_loadStep ? m_loadStep : const_cast<SilentVideoLoadStep *>(&m_silentStep);
}

void VideoInfoManager::setRememberAddedFiles(bool remember)
{
    m_remember = remember;
}

void VideoInfoManager::addFile(const QString &path)
{
    addFiles(QStringList{path});
}

void VideoInfoManager::addFiles(const QStringList &paths)
{
    QList<VideoBasicInfo> videos;
    videos.reserve(paths.size());
    for (const QString &path : paths)
        videos.append(VideoBasicInfo(path, -1, -1));
    addVideos(videos);
}

void VideoInfoManager::rememberFiles(const QStringList &paths)
{
    if (!m_remember)
        return;
    VideoUserConfig::instance()->addRecentFiles(paths);
    if (!paths.isEmpty()) {
        const QString folder = QFileInfo(paths.front()).absolutePath();
        if (QDir(folder).exists())
            VideoUserConfig::instance()->setLastOpenDirectory(folder);
    }
}

// The loading step hands records over as their files are ready, so rows
// appear while the rest still loads.  Should the user cancel, the rows of
// this load are taken out again and the list is as it was.
void VideoInfoManager::addVideos(const QList<VideoBasicInfo> &videos)
{
    m_waiting.append(videos);
    if (m_loading)
        return; // the running load takes them next
    m_loading = true;
    while (!m_waiting.isEmpty())
        load(std::exchange(m_waiting, {}));
    m_loading = false;
}

void VideoInfoManager::load(const QList<VideoBasicInfo> &videos)
{
    std::vector<const VideoInfo *> added; // compared, never read: rows may go meanwhile
    QStringList paths;
    const int result = loadStep()->runProgressive(videos, [this, &added, &paths](VideoInfoList &ready) {
        for (const auto &record : ready) {
            if (record) {
                added.push_back(record.get());
                paths << record->filename;
            }
        }
        append(ready);
    });
    if (result != 1) {
        for (auto it = added.crbegin(); it != added.crend(); ++it) {
            for (int row = count() - 1; row >= 0; --row) {
                if (m_videos[size_t(row)].get() == *it) {
                    removeVideo(row);
                    break;
                }
            }
        }
        return;
    }
    rememberFiles(paths);
}

void VideoInfoManager::appendVideos(VideoInfoList records)
{
    append(records);
}

void VideoInfoManager::append(VideoInfoList &records)
{
    records.erase(std::remove(records.begin(), records.end(), nullptr), records.end());
    if (records.empty())
        return;
    const int n = count();
    const int v = videoFileCount();
    const int k = int(records.size());
    int j = 0;
    for (auto &info : records) {
        if (!info->isAudio)
            ++j;
        m_videos.push_back(std::move(info));
    }
    records.clear();
    emit videoInserted(n, n + k - 1);
    emit videoCountChanged(n + k);
    if (j > 0) {
        emit videoFileInserted(v, v + j - 1);
        emit videoFileCountChanged(v + j);
    }
}

void VideoInfoManager::removeVideo(int row)
{
    if (!inRange(row))
        return;
    const VideoBasicInfo basic = m_videos[size_t(row)]->basicInfo();
    const bool isVideo = !m_videos[size_t(row)]->isAudio;
    const int fileIndex = videoFileIndex(row);
    m_videos.erase(m_videos.begin() + row);
    emit videoRemoved(row);
    emit videoRemoved(basic);
    emit videoCountChanged(count());
    if (isVideo) {
        emit videoFileRemoved(fileIndex);
        emit videoFileRemoved(basic);
        emit videoFileCountChanged(videoFileCount());
    }
}

void VideoInfoManager::removeVideos(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        removeVideo(*it);
}

void VideoInfoManager::clear()
{
    for (int row = count() - 1; row >= 0; --row)
        removeVideo(row);
}

void VideoInfoManager::moveUp(int row)
{
    if (row <= 0 || row >= count())
        return;
    std::swap(m_videos[size_t(row - 1)], m_videos[size_t(row)]);
    emit videoUpdated(row - 1);
    emit videoUpdated(row);
}

void VideoInfoManager::moveDown(int row)
{
    if (row < 0 || row >= count() - 1)
        return;
    std::swap(m_videos[size_t(row)], m_videos[size_t(row + 1)]);
    emit videoUpdated(row + 1);
    emit videoUpdated(row);
}

void VideoInfoManager::duplicate(int row)
{
    if (!inRange(row))
        return;
    m_videos.push_back(std::make_unique<VideoInfo>(*m_videos[size_t(row)]));
    const int n = count();
    emit videoInserted(n - 1, n - 1);
    emit videoCountChanged(n);
    if (!m_videos.back()->isAudio) {
        const int m = videoFileCount();
        emit videoFileInserted(m - 1, m - 1);
        emit videoFileCountChanged(m);
    }
}

void VideoInfoManager::rename(int row, const QString &name)
{
    if (!inRange(row))
        return;
    m_videos[size_t(row)]->setDisplayName(name);
    emit videoUpdated(row);
    if (!m_videos[size_t(row)]->isAudio)
        emit videoFileUpdated(videoFileIndex(row));
}

void VideoInfoManager::learnLength(const QString &path, double ms)
{
    for (int row = 0; row < count(); ++row) {
        VideoInfo &video = *m_videos[size_t(row)];
        if (video.filename != path || video.hasKnownLength())
            continue;
        video.learnLength(ms);
        if (!video.hasKnownLength())
            continue;
        emit videoUpdated(row);
        if (!video.isAudio)
            emit videoFileUpdated(videoFileIndex(row));
    }
}

int VideoInfoManager::count() const
{
    return int(m_videos.size());
}

int VideoInfoManager::videoFileCount() const
{
    return int(std::count_if(m_videos.begin(), m_videos.end(), [](const auto &v) { return !v->isAudio; }));
}

int VideoInfoManager::videoFileIndex(int row) const
{
    if (!inRange(row) || m_videos[size_t(row)]->isAudio)
        return -1;
    int index = 0;
    for (int i = 0; i < row; ++i) {
        if (!m_videos[size_t(i)]->isAudio)
            ++index;
    }
    return index;
}

int VideoInfoManager::rowOfVideoFile(int videoFileIndex) const
{
    if (videoFileIndex < 0)
        return -1;
    int index = 0;
    for (int row = 0; row < count(); ++row) {
        if (m_videos[size_t(row)]->isAudio)
            continue;
        if (index == videoFileIndex)
            return row;
        ++index;
    }
    return -1;
}

VideoInfo *VideoInfoManager::item(int row) const
{
    return inRange(row) ? m_videos[size_t(row)].get() : nullptr;
}

QString VideoInfoManager::filePath(int row) const
{
    return inRange(row) ? m_videos[size_t(row)]->filename : QString();
}

int VideoInfoManager::rowOfFile(const QString &path) const
{
    const auto clean = [](const QString &p) { return QDir::cleanPath(QFileInfo(p).absoluteFilePath()); };
    const QString wanted = clean(path);
    for (int row = 0; row < count(); ++row) {
        if (clean(m_videos[size_t(row)]->filename) == wanted)
            return row;
    }
    return -1;
}

QString VideoInfoManager::displayName(int row) const
{
    return inRange(row) ? m_videos[size_t(row)]->displayName() : QString();
}

const QImage *VideoInfoManager::thumbnail(int row) const
{
    return inRange(row) ? &m_videos[size_t(row)]->thumbnail : nullptr;
}

int VideoInfoManager::msStart(int row) const
{
    return inRange(row) ? m_videos[size_t(row)]->msStart : 0;
}

int VideoInfoManager::msEnd(int row) const
{
    return inRange(row) ? m_videos[size_t(row)]->msEnd : 0;
}

bool VideoInfoManager::basicInfo(int row, VideoBasicInfo &out) const
{
    if (!inRange(row))
        return false;
    out = m_videos[size_t(row)]->basicInfo();
    return true;
}

bool VideoInfoManager::mediaSummary(int row, MediaSummary &out) const
{
    if (!inRange(row))
        return false;
    const VideoInfo &info = *m_videos[size_t(row)];
    out = info.fileInfo ? MediaSummary::fromFileInfo(*info.fileInfo) : MediaSummary();
    return true;
}

VideoInfo *VideoInfoManager::itemOfVideoFile(int videoFileIndex) const
{
    return item(rowOfVideoFile(videoFileIndex));
}

const QImage *VideoInfoManager::thumbnailOfVideoFile(int videoFileIndex) const
{
    return thumbnail(rowOfVideoFile(videoFileIndex));
}

bool VideoInfoManager::basicInfoOfVideoFile(int videoFileIndex, VideoBasicInfo &out) const
{
    return basicInfo(rowOfVideoFile(videoFileIndex), out);
}

bool VideoInfoManager::mediaSummaryOfVideoFile(int videoFileIndex, MediaSummary &out) const
{
    return mediaSummary(rowOfVideoFile(videoFileIndex), out);
}

QList<VideoInfo> VideoInfoManager::videos() const
{
    QList<VideoInfo> list;
    list.reserve(count());
    for (const auto &info : m_videos)
        list.append(*info);
    return list;
}
