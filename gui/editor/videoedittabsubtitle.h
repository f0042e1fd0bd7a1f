#pragma once

#include "gui/editor/videoedittaboverlay.h"

class LineEditWithPushButton;
class QCheckBox;

// The editor's Subtitle tab: an external subtitle file (SRT, ASS, SSA) drawn
// over the picture, with its own style or a custom font, colour, size,
// transparency and margins.
class VideoEditTabSubtitle : public VideoEditTabOverlay {
    Q_OBJECT
public:
    explicit VideoEditTabSubtitle(EditorDialog *dialog, QWidget *parent = nullptr);

    QCheckBox *enableCheck() const { return chkEnable; }
    QCheckBox *customizeCheck() const { return chkCustomize; }
    LineEditWithPushButton *pathField() const { return editPath; }
    QString path() const;
    // What the file dialog does once a file is chosen.
    void useSubtitleFile(const QString &file);

public slots:
    void onSubtitleFileSelectBtnClicked();
    void onSubtitleFileSelected(const QString &text);
    void onEnableSubtitleStateChanged(int state);
    void onEnableCustomizeStateChanged(int state);
    void SetFilter() override;

protected:
    void load() override;
    void apply() override;

private:
    void updateEnabling();
    void removeSubtitle();

    QCheckBox *chkEnable = nullptr;
    QCheckBox *chkCustomize = nullptr;
    LineEditWithPushButton *editPath = nullptr;
};
