#pragma once

#include "engine/playback/playstatus.h"

#include <QList>
#include <QMenuBar>

class QAction;
class QActionGroup;

// The main window's menu bar.  The commands are announced with signals for
// the main window to carry out; Play, Pause and Stop go to the player panel
// and the post-task choice to the configuration.  The bar itself enables and
// checks its entries as the list, the player and the merge flag change.
class VideoListWidget;
class VideoPlayerWidget;

class VideoMenuBarWidget : public QMenuBar {
    Q_OBJECT
public:
    // list: the media list the entries follow (may be null).
    explicit VideoMenuBarWidget(VideoListWidget *list, QWidget *parent = nullptr);
    // Connects Play, Pause and Stop to the player panel and follows its status.
    void attachPlayer(VideoPlayerWidget *player);

    QAction *actAddFile = nullptr;
    QAction *actDownload = nullptr;
    QAction *actAddFolder = nullptr;
    QAction *actFileInformation = nullptr;
    QAction *actExit = nullptr;
    QAction *actDuplicate = nullptr;
    QAction *actClip = nullptr;
    QAction *actVideoEdit = nullptr;
    QAction *actRemove = nullptr;
    QAction *actClearAll = nullptr;
    QAction *actRename = nullptr;
    QAction *actMerge = nullptr;
    QAction *actSettings = nullptr;
    QAction *actCustomizeProfile = nullptr;
    QAction *actOpenOutputDir = nullptr;
    QAction *actConvertAll = nullptr;
    QAction *actPlay = nullptr;
    QAction *actPause = nullptr;
    QAction *actStop = nullptr;
    QAction *actDoNothing = nullptr;
    QAction *actExitProgram = nullptr;
    QAction *actShutdown = nullptr;
    QAction *actOnlineHelp = nullptr;
    QAction *actSupport = nullptr;
    QAction *actAbout = nullptr;
    QAction *actCheckUpdate = nullptr;
    QAction *actProductPage = nullptr;

signals:
    void addFileRequested();
    void downloadRequested();
    void addFolderRequested();
    void fileInformationRequested();
    void exitRequested();
    void duplicateRequested();
    void clipRequested();
    void videoEditRequested();
    void removeRequested();
    void clearAllRequested();
    void renameRequested();
    void mergeToggled(bool merge);
    void settingsRequested();
    void customizeProfileRequested();
    void openOutputDirRequested();
    void convertAllRequested();
    void onlineHelpRequested();
    void supportRequested();
    void aboutRequested();
    void checkUpdateRequested();
    void productPageRequested();

public slots:
    void onVideoListCurrentItemChanged(int row);
    void onVideoListItemCountChanged(int count);
    void onVideoFileCountChanged(int count);
    void onVideoListSelectionChanged(QList<int> rows);
    void onMergeStatusChanged(bool merge);
    void onPlayStatusChanged(int status);
    void onActDoNothing();
    void onActExitApp();
    void onActShutdownPC();
    // Convert All is offered while files are listed and nothing converts.
    void onConvertStatusChanged(bool running);

private:
    VideoListWidget *m_list;
    QActionGroup *m_postTaskGroup = nullptr;
    int m_playStatus = PLAY_STATUS_NONE; // last status the player panel reported
    bool m_converting = false;
};
