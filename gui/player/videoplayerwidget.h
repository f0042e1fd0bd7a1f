#pragma once

#include "core/media/videobasicinfo.h"
#include "engine/playback/ffmpegplayer.h"

#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QTimer;
class VideoInfo;
class VideoPlayerScreen;

// The preview panel beside the media list: plays the list's current file in
// its own screen through the player it is given, shows position and
// length, and offers play/pause, stop, jumps, volume, mute and snapshots.
// It tells the rest of the window what the player does through
// playStatusChanged (1 playing, 2 paused, 3 stopped).
class VideoPlayerWidget : public QWidget, public IPlayerDestroyObserver {
    Q_OBJECT
public:
    static constexpr int PlayTimerInterval = 500; // ms
    static constexpr int BackStep = 150000;       // ms
    static constexpr int ForwardStep = 100000;    // ms

    // player: the one the panel plays in; it must outlive the panel.
    explicit VideoPlayerWidget(CffmpegPlayer *player, QWidget *parent = nullptr);
    ~VideoPlayerWidget() override;

    // Plays a section of a file (the list's double click and "Play" entry).
    void startPlay(const VideoBasicInfo &info);

    // How the panel learns the media list's current row (-1 for none).  Until
    // a source is set it uses the last row given to onVideoListCurrentItemChanged.
    void setCurrentRowSource(std::function<int()> source);
    int listCurrentRow() const;

    // Wiring to the rest of the main window: the play, pause and stop
    // entries may be actions (triggered) or buttons (clicked); any of them
    // may be null.
    void connectPlayCommands(QObject *play, QObject *pause, QObject *stop);

    CffmpegPlayer *player() const { return m_player; }
    VideoPlayerScreen *playerScreen() const { return m_screen; }
    // The list row whose playback started last; -1 when nothing plays.
    int currentIndex() const { return m_currentIndex; }
    QMenu *moreMenu() const { return m_menuMore; }

    // The first free snapshot file "<dir>/<name>_<n>.<format>" for the file
    // openedFile, counting n from 0.
    static QString snapshotPath(const QString &dir, const QString &openedFile, const QString &format);
    // Takes a snapshot of the playing video into the snapshot folder (made
    // when missing); returns the file written, or an empty string when
    // nothing plays or the picture could not be written (error says why).
    QString takeSnapshot(QString *error = nullptr);

    void OnPlayerDestroy(int reason) override;

signals:
    void playStatusChanged(int status);

public slots:
    void onBtnStartClick();
    void onBtnStopClick();
    void onBtnPauseClick();
    void onBtnBackClick();
    void onBtnForwardClick();
    void onBtnSoundClick();
    void onBtnMoreClick();
    void onSliderPlayProgressMoved(int val);
    void onSliderVolumnMoved(int val);
    void onPlayTimerTimeout();
    void onVideoListCurrentItemChanged(int index);
    void onPlayStatusChanged(int status);
    void onVideoRemoved(int index);
    // Plays the given list row (the list's context menu "Play").
    void onPlayRow(int row);

    // The snapshot commands of the Snapshot button and the More menu.
    void onSnapshot();
    void onOpenSnapshotFolder();
    void onChangeSnapshotFolder();
    void onSnapshotFormatJpeg();
    void onSnapshotFormatBmp();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupUi();
    void setupMoreMenu();
    void syncFormatActions();
    void stopPlayback();
    int64_t screenWindowId() const;
    int rowOfPlayingItem() const;

    CffmpegPlayer *m_player;
    QTimer *m_playTimer = nullptr;
    VideoPlayerScreen *m_screen = nullptr;
    QLabel *m_lbTitle = nullptr;
    QSlider *m_sliderPlayProgress = nullptr;
    QSlider *m_sliderVolumn = nullptr;
    QLabel *m_lbTime = nullptr;
    QPushButton *m_btnStart = nullptr;
    QPushButton *m_btnStop = nullptr;
    QPushButton *m_btnBack = nullptr;
    QPushButton *m_btnForward = nullptr;
    QPushButton *m_btnSnapshot = nullptr;
    QPushButton *m_btnMore = nullptr;
    QPushButton *m_btnSound = nullptr;
    QMenu *m_menuMore = nullptr;
    QAction *m_actionSnapshot = nullptr;
    QAction *m_actionJpeg = nullptr;
    QAction *m_actionBmp = nullptr;

    int m_currentIndex = -1;
    // The registry record that is playing, compared by address only (never
    // dereferenced), so that rows moving or vanishing around it are followed.
    const VideoInfo *m_playingItem = nullptr;
    int m_requestedRow = -1;
    int m_lastListRow = -1;
    bool m_stopping = false;
    std::function<int()> m_currentRowSource;
};
