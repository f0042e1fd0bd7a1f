#pragma once

#include "core/media/trimsection.h"
#include "core/media/videobasicinfo.h"

#include <QDialog>
#include <QList>

#include <functional>

class CffmpegPlayer;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;
class VideoPlayerScreen;
class VideoTrimDialogSectionChooser;

// The Clip command's dialog: plays a list entry in its own screen through the
// player it is given and lets the user mark any number of sections of it.
// On OK each marked clip is handed out as the entry's file with its own start
// and end, which the caller adds to the media list.  The entry itself is left
// alone.  While shown the dialog owns the player's window; when it finishes
// it closes the file and gives the window back to its previous owner.
class VideoTrimDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int PlayTimerInterval = 200; // ms

    // player: the one the dialog plays in; it must outlive the dialog.
    explicit VideoTrimDialog(CffmpegPlayer *player, QWidget *parent = nullptr);
    ~VideoTrimDialog() override;

    void setSource(const VideoBasicInfo &info);
    // The clips accepted with OK, in list order.
    QList<VideoBasicInfo> sections() const { return m_result; }

    // The section being marked and its rules.
    const TrimSection &section() const { return m_section; }
    VideoPlayerScreen *playerScreen() const { return m_screen; }
    VideoTrimDialogSectionChooser *chooser() const { return m_chooser; }
    QListWidget *clipList() const { return m_videoList; }
    // The section records of the clips in the list, in order.
    QList<VideoBasicInfo> listedClips() const;

    // Where information boxes go (a box without parent by default).
    using MessageSink = std::function<void(const QString &title, const QString &text)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

public slots:
    void startPlay();
    void stopPlay();
    void pausePlay();
    void onPlayTimerTick();
    void onBtnStartClicked();
    void onBtnStopClicked();
    void onBtnForwardClicked();
    void onBtnPlaySectionClicked();
    void onBtnLeftClicked();
    void onBtnRightClicked();
    void onBtnClipClicked();
    void onPlaySliderMoved(int value);
    void onBtnResetClicked();
    void onBtnOKClicked();
    void onBtnCancelClicked();
    void onBtnClearAllClicked();
    void onDlgFinished(int result);
    void onStartValCtrlChanged(int value);
    void onEndValCtrlChanged(int value);
    void onChooseStart();
    void onChooseEnd();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setupUi();
    void connectSignals();
    qint64 screenWindowId() const;
    void seekToSlider(int value);
    // The labels, cursors and fields showing the whole source (Stop, Reset).
    void showWholeSource();
    void showSectionFields();
    void applyStart(double positionMs);
    void applyEnd(double positionMs);
    void clearClips();
    void releasePlayer();
    void showMessage(const QString &title, const QString &text);

    VideoBasicInfo m_source{QString(), -1, -1};
    TrimSection m_section;
    QList<VideoBasicInfo> m_result;
    QTimer *m_playTimer = nullptr;
    CffmpegPlayer *m_player;
    qint64 m_previousWndId = -1;
    bool m_ownsPlayer = false;
    MessageSink m_messageSink;

    VideoPlayerScreen *m_screen = nullptr;
    VideoTrimDialogSectionChooser *m_chooser = nullptr;
    QListWidget *m_videoList = nullptr;
    QPushButton *m_btnStart = nullptr;
    QPushButton *m_btnStop = nullptr;
    QPushButton *m_btnForward = nullptr;
    QPushButton *m_btnPlaySection = nullptr;
    QPushButton *m_btnSetLeftPos = nullptr;
    QLineEdit *m_editLeftPos = nullptr;
    QLineEdit *m_editRightPos = nullptr;
    QPushButton *m_btnSetRightPos = nullptr;
    QPushButton *m_btnClip = nullptr;
    QLabel *m_lbPlayTime = nullptr;
    QLabel *m_labelSlash = nullptr;
    QLabel *m_lbTotalTime = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
    QPushButton *m_btnReset = nullptr;
    QPushButton *m_btnClearAll = nullptr;
    QPushButton *m_btnWinClose = nullptr;
    QLabel *m_lbCaption = nullptr;
};
