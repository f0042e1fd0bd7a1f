#pragma once

#include "core/profiles/videoprofileformatuserconfig.h"
#include "engine/transcode/processingoptions.h"

#include <QObject>
#include <QPointer>
#include <QSettings>
#include <QStringList>

#include <functional>
#include <memory>

// The one place where the program keeps what the user chose: persisted
// settings (read on every call, each getter with its own fallback rule) and
// the run-time state that several widgets share.
class VideoUserConfig : public QObject {
    Q_OBJECT
public:
    static VideoUserConfig *instance();
    ~VideoUserConfig() override;

    // The main window (not owned); set by start-up once the window exists.
    QObject *mainWindow() const;
    void setMainWindow(QObject *window);

    // Settings.
    QString convertOutputDirectory() const;
    QString snapshotDirectory();
    bool setSnapshotDirectory(const QString &dir);
    QString snapshotFormat();
    void setSnapshotFormat(const QString &format);
    QStringList snapshotFormats() const;
    QString videoDownloadDirectory();
    // The download folder as stored, without putting a default in place
    // (empty when none is set or it does not exist).
    QString storedVideoDownloadDirectory() const;
    QString tempDirectory() const;
    void setTempDirectory(const QString &dir);
    QString language() const;
    void setLanguage(const QString &code);
    int cpuCoreNumber() const;
    void setCpuCoreNumber(int n);
    QList<int> cpuCoreChoices() const;
    bool useGpu() const;
    void setUseGpu(bool flag);
    // What a conversion started from the program uses: the chosen number of
    // cores as each codec's thread count (an unusable value: all cores) and
    // the GPU flag.
    ProcessingOptions processingOptions() const;
    QString lastOpenDirectory() const;
    void setLastOpenDirectory(const QString &dir);
    QStringList languages() const;

    QString defaultConvertOutputDirectory() const;
    QString defaultSnapshotDirectory() const;
    QString defaultSnapshotFormat() const;
    QString defaultTempDirectory() const;
    QString defaultLanguage() const;
    int defaultCpuCoreNumber() const;
    bool defaultUseGpu() const;

    // Recent files: newest first, each once, at most five.
    QStringList recentFiles() const;
    void addRecentFiles(const QStringList &files);

    // Current output profile.  Before one is set, the last used profile of
    // the user profile configuration becomes current (signals included).
    VideoProfileFormatUserConfig getCurrentProfile();
    void setCurrentProfile(const VideoProfileFormatUserConfig &profile);

    // Run-time state.
    bool isMerge() const;
    void setMerge(bool merge);
    int postTaskAction() const;
    void setPostTaskAction(int action);
    int splitMode() const;
    void setSplitMode(int mode);
    int splitSize() const;
    void setSplitSize(int size);
    int splitTime() const;
    void setSplitTime(int time);

    // iTunes.
    bool isItunesInstalled() const;
    bool isAppleProfile(const VideoProfileFormatUserConfig &profile) const;
    bool canSendToItunes() const;
    bool sendToItunes() const;
    void setSendToItunes(bool send);

    // Paths.  The selected row comes from the media list, which tells the
    // store how to ask for it; the file of a row comes from the registry.
    void setSelectedRowSource(std::function<int()> source);
    void setRowPathSource(std::function<QString(int)> source);
    // The media list's selected row, -1 for none.
    int selectedRow() const;
    QString selectedFilePath() const;
    QString uniqueOutputPathForSelected(const QString &extension) const;
    QString uniqueOutputPathForFirst(const QString &extension) const;

    // Optical drives, as device paths (e.g. "/dev/sr0").
    QStringList opticalDrives() const;

    // The settings object (for tests and the settings dialog).
    QSettings &settings() { return *m_settings; }

public slots:
    void setConvertOutputDirectory(const QString &dir);

signals:
    void currentProfileChanged(const QString &name);
    void currentProfileChanged(const VideoProfileFormatUserConfig &profile);
    void mergeStatusChanged(bool bMerge);

private:
    VideoUserConfig();
    QString rowPath(int row) const;

    QPointer<QObject> m_mainWindow;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<VideoProfileFormatUserConfig> m_currentProfile;
    bool m_merge = false;
    int m_postTaskAction = 0;
    int m_splitMode = 0;
    int m_splitSize = 0;
    int m_splitTime = 0;
    bool m_sendToItunes = false;
    std::function<int()> m_selectedRowSource;
    std::function<QString(int)> m_rowPathSource;
};
