#pragma once

#include "core/media/videobasicinfo.h"

#include <QDialog>
#include <QItemSelection>
#include <QRect>

#include <functional>
#include <memory>

class CffmpegPlayer;
class PreviewFilterTarget;
class QLabel;
class QListView;
class QPushButton;
class QSlider;
class QTabWidget;
class QTimer;
class VideoEditListModel;
class VideoEditTabCrop;
class VideoEditTabEffect;
class VideoEditTabSubtitle;
class VideoEditTabWatermark;
class VideoInfo;
class VideoPlayerScreen;
class VideoSelector;

// The modal "Edit Video" dialog: the video files of the media list on the
// left, the selected file playing in a looping preview, the mirror buttons,
// and the Effect, Crop, Subtitle and Watermark tabs.  Every setting is
// previewed at once through the player's filters; each tab's Apply
// stores it in the file's record, which the conversion reads.  While open,
// the dialog owns the player's window; closing it stops the preview and
// gives the window up.
class EditorDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int PlayTimerInterval = 500; // ms

    // player: the one the preview plays in; it must outlive the dialog.
    explicit EditorDialog(CffmpegPlayer *player, QWidget *parent = nullptr);
    ~EditorDialog() override;

    // The editor row for the media list's current row (-1 for none): the
    // row's place among the video files, 0 for none or an audio file.
    static int startRow(int listRow);
    // Selects and plays a row of the editor's list, loading every tab.
    void selectRow(int row);
    // The record of the first selected row (null when the list is empty).
    VideoInfo *currentRecord() const;

    CffmpegPlayer *player() const { return m_player; }
    // Where the preview's filters go (the player unless set; tests record
    // the changes here).
    void setFilterTarget(PreviewFilterTarget *target);
    PreviewFilterTarget *filterTarget() const;

    // Where information boxes go (a box without parent unless set).
    using MessageSink = std::function<void(const QString &title, const QString &text)>;
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }
    void showMessage(const QString &title, const QString &text);

    VideoSelector *selector() const { return m_selector.get(); }
    VideoPlayerScreen *screen() const { return widgetPlayer; }
    QListView *listView() const { return listWidget; }
    QTabWidget *tabs() const { return tabWidget; }
    VideoEditTabEffect *effectTab() const { return m_tabEffect; }
    VideoEditTabCrop *cropTab() const { return m_tabCrop; }
    VideoEditTabSubtitle *subtitleTab() const { return m_tabSubtitle; }
    VideoEditTabWatermark *watermarkTab() const { return m_tabWatermark; }
    QPushButton *startButton() const { return btnStart; }
    QPushButton *stopButton() const { return btnStop; }
    QPushButton *soundButton() const { return btnSound; }
    QPushButton *mirrorHorButton() const { return btnMirrorHor; }
    QPushButton *mirrorVerButton() const { return btnMirroVer; }
    QPushButton *closeButton() const { return btnWinClose; }
    QSlider *progressSlider() const { return sliderPlayer; }
    QSlider *volumeSlider() const { return sliderSound; }

signals:
    void playStatusChanged(int status);

public slots:
    void onBtnStartClicked();
    void onBtnStopClicked();
    void onBtnSoundClicked();
    void onSliderPlayProgressMoved(int val);
    void onSliderVolumnMoved(int val);
    void startPlayFile(VideoBasicInfo &fileInfo);
    void pausePlay();
    void resumePlay();
    void stopPlay();
    void onPlayTimerTimeout();
    void onCropSelectionChanged(const QRect &rect);
    void onVideoSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected);
    void onSelectorScreenRectRequired();
    void onPlayStatusChanged(int status);
    void onSpinLeftChanged(int value);
    void onSpinTopChanged(int value);
    void onSpinWidthChanged(int value);
    void onSpinHeightChanged(int value);
    void onBtnMirrorVerClicked();
    void onBtnMirrorHorClicked();
    void onBtnWinCloseClicked();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    void addCropKeys();
    int64_t screenWindowId() const;
    QRect showRect() const;
    void sendMirror(const VideoInfo *record);
    void matchSpinsToSelection();

    QPushButton *btnStart = nullptr;
    QPushButton *btnStop = nullptr;
    QPushButton *btnSound = nullptr;
    QPushButton *btnMirrorHor = nullptr;
    QPushButton *btnMirroVer = nullptr;
    QPushButton *btnWinClose = nullptr;
    QSlider *sliderPlayer = nullptr;
    QSlider *sliderSound = nullptr;
    VideoPlayerScreen *widgetPlayer = nullptr;
    QListView *listWidget = nullptr;
    QTabWidget *tabWidget = nullptr;
    QLabel *m_lbCaption = nullptr;

    QTimer *m_playTimer = nullptr;
    VideoEditListModel *m_model = nullptr;
    std::unique_ptr<VideoSelector> m_selector;
    VideoEditTabEffect *m_tabEffect = nullptr;
    VideoEditTabCrop *m_tabCrop = nullptr;
    VideoEditTabSubtitle *m_tabSubtitle = nullptr;
    VideoEditTabWatermark *m_tabWatermark = nullptr;

    // True while the dialog itself writes the crop spin boxes.
    bool m_cropGuard = false;
    CffmpegPlayer *m_player;
    PreviewFilterTarget *m_filters = nullptr;
    MessageSink m_messageSink;
};
