#pragma once

#include "engine/playback/playstatus.h"

#include <QList>
#include <QWidget>

class QAction;
class QMenu;
class QPushButton;

// The row of large image buttons under the menu bar, with the Add pop-up
// that offers the recent files.  The list commands are announced with
// signals for the main window to carry out; the buttons follow the list,
// the registry, the merge flag and the player panel.
class VideoListWidget;
class VideoPlayerWidget;

class VideoToolBarWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRecentActions = 5;

    // list: the media list the buttons follow (may be null).
    explicit VideoToolBarWidget(VideoListWidget *list, QWidget *parent = nullptr);
    // Connects Start, Pause and Stop to the player panel and follows its status.
    void attachPlayer(VideoPlayerWidget *player);

    QPushButton *btnAdd = nullptr;
    QPushButton *btnMore = nullptr;
    QPushButton *btnDownload = nullptr;
    QPushButton *btnDelete = nullptr;
    QPushButton *btnEffect = nullptr;
    QPushButton *btnClip = nullptr;
    QPushButton *btnMerge = nullptr;
    QPushButton *btnStart = nullptr;
    QPushButton *btnPause = nullptr;
    QPushButton *btnStop = nullptr;

    QMenu *addMenu() const { return m_addMenu; }
    QAction *recentSeparator() const { return m_recentSeparator; }
    QList<QAction *> recentActions() const { return m_recentActions; }
    // Fills the Add pop-up from the recent-file list (what onMenuAdd shows).
    void prepareAddMenu();

signals:
    void addFilesRequested();
    void addFolderRequested();
    void downloadRequested();
    void removeRequested();
    void editRequested();
    void clipRequested();
    void mergeToggled(bool merge);

public slots:
    void onVideoListCurrentItemChanged(int row);
    void onVideoCountChanged(int count);
    void onVideoFileCountChanged(int count);
    void onVideoListSelectionChanged(QList<int> rows);
    void onPlayStatusChanged(int status);
    void onMergeStatusChanged(bool merge);
    void onMenuAdd();
    void onRecentFile();

private:
    QPushButton *makeButton(const QString &image, const QString &text, int width, int height,
                            bool checkable = false);

    VideoListWidget *m_list;
    QMenu *m_addMenu = nullptr;
    QAction *m_recentSeparator = nullptr;
    QList<QAction *> m_recentActions;
    int m_playStatus = PLAY_STATUS_NONE; // last status the player panel reported
};
