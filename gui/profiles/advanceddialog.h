#pragma once

#include "core/profiles/videoprofileformatuserconfig.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class ProfileEdit;
class VideoProfileMenuWidget;

// Lets the user adjust a profile (encoders, size, rates, channels, each from
// the profile's own option lists) and the output splitting.  OK writes the
// choices as the profile's overrides in upc.xml and the split settings into
// the user configuration store; nothing is written before that.
class AdvancedDialog : public QDialog {
    Q_OBJECT
public:
    explicit AdvancedDialog(QWidget *parent = nullptr);

    // Makes profile the dialog's profile; the form is filled when shown.
    void setProfile(const VideoProfileFormatUserConfig &profile);
    VideoProfileFormatUserConfig getProfile() const { return m_profile; }

    VideoProfileMenuWidget *profileMenu() const { return m_profileMenu; }

signals:
    // "Customize" in the dialog's profile menu: whoever runs the customize
    // dialog shows it.
    void customizeRequested();

public slots:
    void profileChange(const VideoProfileFormatUserConfig &profile);
    void popupProfileMenu();
    void onBtnDefaultClicked();
    void onBtnOKClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    void fillForm();

    VideoProfileFormatUserConfig m_profile;
    VideoProfileMenuWidget *m_profileMenu = nullptr;

    QPushButton *btnWinClose = nullptr;
    QLabel *lbCaption = nullptr;
    ProfileEdit *editProfile = nullptr;
    QGroupBox *groupVideo = nullptr;
    QComboBox *cbVideoEncoder = nullptr;
    QComboBox *cbVideoResolution = nullptr;
    QComboBox *cbVideoBitrate = nullptr;
    QComboBox *cbVideoFrameRate = nullptr;
    QComboBox *cbAspect = nullptr;
    QGroupBox *groupAudio = nullptr;
    QComboBox *cbAudioEncoder = nullptr;
    QComboBox *cbAudioSampleRate = nullptr;
    QComboBox *cbAudioChannel = nullptr;
    QComboBox *cbAudioBitrate = nullptr;
    QGroupBox *chkEnableSplit = nullptr;
    QRadioButton *radioSplitSize = nullptr;
    QComboBox *cbSplitSize = nullptr;
    QRadioButton *radioSplitTime = nullptr;
    QComboBox *cbSplitTime = nullptr;
    QPushButton *btnDefault = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
};
