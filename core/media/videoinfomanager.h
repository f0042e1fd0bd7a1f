#pragma once

#include "core/media/mediasummary.h"
#include "core/media/videobasicinfo.h"
#include "core/media/videoinfo.h"
#include "core/media/videoloadstep.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

// The media files the user has added, in list order.  Every view learns of
// changes only through the signals.  Besides the row, each file that is not
// audio only has a video-file index: its position among those files.
class VideoInfoManager : public QObject {
    Q_OBJECT
public:
    static VideoInfoManager *instance();

    explicit VideoInfoManager(QObject *parent = nullptr);
    ~VideoInfoManager() override;

    // The step addVideos runs (not owned; null restores the silent default).
    void setLoadStep(VideoLoadStep *step);
    VideoLoadStep *loadStep() const;
    // Whether added files go to the recent list and the last-folder setting
    // (on by default; the command-line tool turns it off).
    void setRememberAddedFiles(bool remember);

    void addFile(const QString &path);
    void addFiles(const QStringList &paths);
    // Files added while a load runs (a second start hands its files over,
    // the user drops more while the loading dialog shows) wait for it and
    // load next.
    void addVideos(const QList<VideoBasicInfo> &videos);
    // Appends records that are already probed (a restored session), with the
    // signals of an addition; they do not count as recently opened files.
    void appendVideos(VideoInfoList records);
    void removeVideo(int row);
    void removeVideos(QList<int> rows);
    void clear();
    void moveUp(int row);
    void moveDown(int row);
    void duplicate(int row);
    void rename(int row, const QString &name);
    // A conversion read path to its end and found it lasts ms: the records
    // of that file that did not know their length learn it.
    void learnLength(const QString &path, double ms);

    int count() const;
    int videoFileCount() const;
    int videoFileIndex(int row) const;
    int rowOfVideoFile(int videoFileIndex) const;

    VideoInfo *item(int row) const;
    QString filePath(int row) const;
    // The first row of a file (paths compared once made absolute and clean), -1 when none.
    int rowOfFile(const QString &path) const;
    QString displayName(int row) const;
    const QImage *thumbnail(int row) const;
    int msStart(int row) const;
    int msEnd(int row) const;
    bool basicInfo(int row, VideoBasicInfo &out) const;
    bool mediaSummary(int row, MediaSummary &out) const;

    VideoInfo *itemOfVideoFile(int videoFileIndex) const;
    const QImage *thumbnailOfVideoFile(int videoFileIndex) const;
    bool basicInfoOfVideoFile(int videoFileIndex, VideoBasicInfo &out) const;
    bool mediaSummaryOfVideoFile(int videoFileIndex, MediaSummary &out) const;

    QList<VideoInfo> videos() const;

signals:
    void videoInserted(int startRow, int endRow);
    void videoRemoved(int index);
    void videoRemoved(const VideoBasicInfo &info);
    void videoUpdated(int index);
    void videoCountChanged(int count);
    void videoFileInserted(int start, int end);
    void videoFileRemoved(int index);
    void videoFileRemoved(const VideoBasicInfo &info);
    void videoFileUpdated(int index);
    void videoFileCountChanged(int count);

private:
    bool inRange(int row) const { return row >= 0 && row < count(); }
    void rememberFiles(const QStringList &paths);
    void load(const QList<VideoBasicInfo> &videos);
    // Appends records at the end of the list with the insertion signals.
    void append(VideoInfoList &records);

    std::vector<std::unique_ptr<VideoInfo>> m_videos;
    SilentVideoLoadStep m_silentStep;
    VideoLoadStep *m_loadStep = nullptr;
    bool m_remember = true;
    bool m_loading = false;
    QList<VideoBasicInfo> m_waiting; // added while a load runs
};
