#pragma once

#include "gui/editor/videoedittaboverlay.h"

#include <QSize>

class LineEditMonitor;
class LineEditWithPushButton;
class QCheckBox;
class QLineEdit;
class QRadioButton;

// The editor's Watermark tab: a picture or a line of text laid over the
// video, with its size (picture) or font, colour, size and transparency
// (text), and its distance from the top-left corner.
class VideoEditTabWatermark : public VideoEditTabOverlay {
    Q_OBJECT
public:
    explicit VideoEditTabWatermark(EditorDialog *dialog, QWidget *parent = nullptr);

    QCheckBox *enableCheck() const { return chkStartup; }
    QRadioButton *imageRadio() const { return radioImage; }
    QRadioButton *textRadio() const { return radioText; }
    LineEditWithPushButton *pathField() const { return editImage; }
    QLineEdit *textField() const { return editText; }
    QSpinBox *imageWidthSpin() const { return spinImageWidth; }
    QSpinBox *imageHeightSpin() const { return spinImageHeight; }
    LineEditMonitor *textMonitor() const { return m_monitor; }
    // What the file dialog does once a file is chosen; false when the file
    // does not load as a picture (then nothing changes).
    bool useImageFile(const QString &file);
    // The font file the text is drawn with.
    QString fontFile() const;

public slots:
    void onWaterImageSelectBtnClicked();
    void onEnableWatermarkChanged(int state);
    void onImageTypeChanged(bool checked);
    void onTextTypeChanged(bool checked);
    void onWaterImageChanged(const QString &text);
    void onWaterTextChanged(const QString &text);
    void onSpinImageWidthChanged(int value);
    void onSpinImageHeightChanged(int value);
    void SetFilter() override;

protected:
    void load() override;
    void apply() override;

private:
    void updateEnabling();
    void removeWatermarks();
    QSize videoSize() const;
    void limitSpaces();

    QCheckBox *chkStartup = nullptr;
    QRadioButton *radioImage = nullptr;
    QRadioButton *radioText = nullptr;
    LineEditWithPushButton *editImage = nullptr;
    QLineEdit *editText = nullptr;
    QSpinBox *spinImageWidth = nullptr;
    QSpinBox *spinImageHeight = nullptr;
    LineEditMonitor *m_monitor = nullptr;
};
