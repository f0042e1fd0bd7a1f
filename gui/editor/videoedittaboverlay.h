#pragma once

#include "engine/playback/previewfiltertarget.h"

#include <QColor>
#include <QString>
#include <QWidget>

class EditorColorCombo;
class EditorDialog;
class QComboBox;
class QGridLayout;
class QPushButton;
class QSlider;
class QSpinBox;
class VideoInfo;

// What the editor's Subtitle and Watermark tabs share: the font, colour,
// size and style choices, the transparency and position slider/spin pairs
// kept in step by guards, Apply and Reset.  Each tab sends its own preview
// filter (SetFilter) and stores its own record fields.
class VideoEditTabOverlay : public QWidget {
    Q_OBJECT
public:
    VideoEditTabOverlay(EditorDialog *dialog, const QString &objectName, QWidget *parent = nullptr);

    // Where the preview filters go (the dialog's target unless set).
    void setFilterTarget(PreviewFilterTarget *target) { m_filters = target; }
    // Stores the record (ignored when null) and loads it.
    void setRecord(VideoInfo *record);
    VideoInfo *record() const { return m_record; }

    QComboBox *fontCombo() const { return cbFont; }
    EditorColorCombo *colorCombo() const { return cbColor; }
    QComboBox *sizeCombo() const { return cbSize; }
    QComboBox *styleCombo() const { return cbStyle; }
    QSlider *transparencySlider() const { return sliderTransparency; }
    QSlider *horSpaceSlider() const { return sliderHorSpace; }
    QSlider *verSpaceSlider() const { return sliderVerSpace; }
    QSpinBox *transparencySpin() const { return spinTransparency; }
    QSpinBox *horSpaceSpin() const { return spinHorSpace; }
    QSpinBox *verSpaceSpin() const { return spinVerSpace; }
    QPushButton *applyButton() const { return btnApply; }
    QPushButton *resetButton() const { return btnReset; }

    // The transparency as alpha 0..255 and the current colour word parts.
    int alpha() const;
    QColor color() const;
    int fontSize() const;

public slots:
    void onColorSelectionActivated(int index);
    void onBtnResetClicked();
    void onBtnApplyClicked();
    void onFontNameChanged(const QString &name);
    void onFontColorChanged(int index);
    void onFontSizeChanged(const QString &size);
    void onFontStyleChanged(int index);
    void onSliderTransparencyChanged(int value);
    void onSliderHorSpaceChanged(int value);
    void onSliderVerSpaceChanged(int value);
    void onSpinTransparencyChanged(int value);
    void onSpinHorSpaceChanged(int value);
    void onSpinVerSpaceChanged(int value);
    virtual void SetFilter() = 0;

protected:
    // The tab's own fields: read into the controls, store from them.
    virtual void load() = 0;
    virtual void apply() = 0;

    PreviewFilterTarget *filters() const;
    // Changes the preview's filter set in one write (nothing without a target).
    template <typename F> void editPreview(F &&change)
    {
        if (PreviewFilterTarget *target = filters())
            target->editFilters(std::forward<F>(change));
    }
    EditorDialog *dialog() const { return m_dialog; }
    // True while a record is being loaded: the controls' slots send nothing.
    bool loading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }

    // Shows the style fields of a record in the combos.
    void loadStyle(const QString &fontName, const QColor &color, int fontSize, int fontStyle);
    // Ranges and values of the three pairs; the video's size bounds the spaces.
    void loadPairs(int alpha, int horSpace, int verSpace, int videoWidth, int videoHeight);
    void setPairRange(QSlider *slider, QSpinBox *spin, int maximum);
    void setPairValue(QSlider *slider, QSpinBox *spin, int value);
    // The grid of the style and position controls and the two buttons, for
    // the tab's layout.
    QGridLayout *styleGrid() const { return m_styleGrid; }
    // Enables the style and position controls (those a tab switches together).
    void setStyleEnabled(bool enabled);
    void setPositionEnabled(bool enabled);
    void setTransparencyEnabled(bool enabled);
    // Swallows key presses on a widget: its text comes from a file dialog.
    void swallowKeys(QWidget *widget);

    bool eventFilter(QObject *watched, QEvent *event) override;

    EditorColorCombo *cbColor = nullptr;
    QComboBox *cbFont = nullptr;
    QComboBox *cbSize = nullptr;
    QComboBox *cbStyle = nullptr;
    QSlider *sliderTransparency = nullptr;
    QSlider *sliderHorSpace = nullptr;
    QSlider *sliderVerSpace = nullptr;
    QSpinBox *spinTransparency = nullptr;
    QSpinBox *spinHorSpace = nullptr;
    QSpinBox *spinVerSpace = nullptr;
    QPushButton *btnApply = nullptr;
    QPushButton *btnReset = nullptr;

private:
    void pairSliderChanged(QSpinBox *spin, int value);
    void pairSpinChanged(QSlider *slider, int value);

    EditorDialog *m_dialog;
    VideoInfo *m_record = nullptr;
    PreviewFilterTarget *m_filters = nullptr;
    QGridLayout *m_styleGrid = nullptr;
    QWidget *m_keysSwallowed = nullptr;
    bool m_sliderWriting = false; // a slider is writing its spin box
    bool m_spinWriting = false;   // a spin box is writing its slider
    bool m_loading = false;
};
