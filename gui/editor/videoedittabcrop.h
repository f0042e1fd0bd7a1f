#pragma once

#include <QSize>
#include <QWidget>

class EditorDialog;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class VideoInfo;

// The editor's Crop tab: the zoom (aspect) choice, the crop rectangle in
// video pixels kept in step with the selector over the preview, the ratio
// lock, and Apply/Reset.
class VideoEditTabCrop : public QWidget {
    Q_OBJECT
public:
    explicit VideoEditTabCrop(EditorDialog *dialog, QWidget *parent = nullptr);

    // Stores the record (ignored when null) and loads it.
    void setRecord(VideoInfo *record);
    VideoInfo *record() const { return m_record; }

    // The ratio a zoom item stands for; none (-1, -1) keeps the video's own.
    QSize ratioOfZoomItem(int index) const;

    QComboBox *zoomCombo() const { return m_cbZoom; }
    QSpinBox *spinLeft() const { return m_spinLeft; }
    QSpinBox *spinTop() const { return m_spinTop; }
    QSpinBox *spinWidth() const { return m_spinWidth; }
    QSpinBox *spinHeight() const { return m_spinHeight; }
    QCheckBox *keepRatioCheck() const { return m_chkKeepRatio; }
    QPushButton *applyButton() const { return m_btnApply; }
    QPushButton *resetButton() const { return m_btnReset; }

public slots:
    void onSpinLeftChanged(int value);
    void onSpinTopChanged(int value);
    void onSpinWidthChanged(int value);
    void onSpinHeightChanged(int value);
    void onZoomCurrentIndexChanged(int index);
    void onKeepRatioStateChanged(int state);
    void onBtnResetClicked();
    void onBtnApplyClicked();

private:
    void load();

    EditorDialog *m_dialog;
    VideoInfo *m_record = nullptr;
    QComboBox *m_cbZoom = nullptr;
    QSpinBox *m_spinLeft = nullptr;
    QSpinBox *m_spinTop = nullptr;
    QSpinBox *m_spinWidth = nullptr;
    QSpinBox *m_spinHeight = nullptr;
    QCheckBox *m_chkKeepRatio = nullptr;
    QPushButton *m_btnApply = nullptr;
    QPushButton *m_btnReset = nullptr;
};
