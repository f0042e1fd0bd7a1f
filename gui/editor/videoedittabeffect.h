#pragma once

#include "engine/playback/previewfiltertarget.h"

#include <QWidget>

class CffmpegPlayer;
class QComboBox;
class QPushButton;
class QSlider;
class VideoInfo;

// The editor's Effect tab: brightness, contrast, saturation and the audio
// amplifier, one picture effect and the deinterlacing mode.  Every change
// is previewed at once through the player's filters; Apply stores the
// values in the file's record, Reset reloads them.
class VideoEditTabEffect : public QWidget {
    Q_OBJECT
public:
    explicit VideoEditTabEffect(QWidget *parent = nullptr);

    // The player whose sound follows the amplifier, and where the preview
    // filters go unless a filter target is set.
    void setPlayer(CffmpegPlayer *player) { m_player = player; }
    // Where the preview filters go instead of the player (null: the player).
    void setFilterTarget(PreviewFilterTarget *target) { m_filters = target; }
    // Stores the record (ignored when null) and loads it.
    void setRecord(VideoInfo *record);
    VideoInfo *record() const { return m_record; }
    // Sends the state of every control to the preview again.
    void applyPreview();

    QSlider *sliderBrightness() const { return m_sliderBrightness; }
    QSlider *sliderContrast() const { return m_sliderContrast; }
    QSlider *sliderSaturation() const { return m_sliderSaturation; }
    QSlider *sliderAmplifier() const { return m_sliderAmplifier; }
    QComboBox *effectCombo() const { return m_cbEffect; }
    QComboBox *deinterlacingCombo() const { return m_cbDeinterlacing; }
    QPushButton *applyButton() const { return m_btnApply; }
    QPushButton *resetButton() const { return m_btnReset; }

public slots:
    void onBrightnessChanged(int value);
    void onContrastChanged(int value);
    void onSaturationChanged(int value);
    void onAmplifierChanged(int value);
    void onCBEffectOptionChanged(int index);
    void onCBDeinterlacingnChanged(int index);
    void onBtnApplyClicked();
    void onBtnResetClicked();

private:
    void load();
    QSlider *addSlider(class QGridLayout *grid, int row, const QString &name, const char *objectName);
    PreviewFilterTarget *filters() const;
    // Changes the preview's filter set in one write (nothing without a target).
    template <typename F> void editPreview(F &&change)
    {
        if (PreviewFilterTarget *target = filters())
            target->editFilters(std::forward<F>(change));
    }
    // The three picture levels in one change of the preview.
    void sendLevels(int brightness, int contrast, int saturation);
    void setVolume(int amplifier);

    VideoInfo *m_record = nullptr;
    CffmpegPlayer *m_player = nullptr;
    PreviewFilterTarget *m_filters = nullptr;
    QComboBox *m_cbEffect = nullptr;
    QComboBox *m_cbDeinterlacing = nullptr;
    QSlider *m_sliderBrightness = nullptr;
    QSlider *m_sliderContrast = nullptr;
    QSlider *m_sliderSaturation = nullptr;
    QSlider *m_sliderAmplifier = nullptr;
    QPushButton *m_btnApply = nullptr;
    QPushButton *m_btnReset = nullptr;
};
