#include "gui/profiles/advanceddialog.h"

#include "core/config/videouserconfig.h"
#include "core/profiles/profiledisplay.h"
#include "engine/transcode/encodeinfo.h"
#include "gui/common/dialogcaption.h"
#include "gui/common/guilog.h"
#include "gui/common/widgetenhancer.h"
#include "gui/profiles/profileedit.h"
#include "gui/profiles/videoprofilemenuwidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace ProfileDisplay;

namespace {

const QStringList kSplitSizes = {QStringLiteral("200"), QStringLiteral("640"),  QStringLiteral("700"),
                                 QStringLiteral("800"), QStringLiteral("1000"), QStringLiteral("1400"),
                                 QStringLiteral("4700")};
const QStringList kSplitTimes = {QStringLiteral("60")};

// Items show in the interface's language and keep their stored form as data.
void fillCombo(QComboBox *combo, const QStringList &items, const QString &current)
{
    combo->clear();
    for (const QString &item : items)
        combo->addItem(shown(item), item);
    if (!items.isEmpty())
        combo->setCurrentIndex(choiceIndex(items, current));
}

// The stored form of the current item (an item added without one is its text).
QString chosen(const QComboBox *combo)
{
    const QVariant data = combo->currentData();
    return data.isValid() ? data.toString() : combo->currentText();
}

} // namespace

AdvancedDialog::AdvancedDialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AdvancedDialog"));
    setWindowTitle(tr("Dialog"));
    // Frameless: the enhancer paints the skin and moves the dialog.
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/dlg_bkgnd.png"), DialogCaption::kHeight, 7, 54,
                           7);
    buildForm();

    m_profileMenu = new VideoProfileMenuWidget(this);
    m_profileMenu->hide();

    connect(VideoUserConfig::instance(),
            qOverload<const VideoProfileFormatUserConfig &>(&VideoUserConfig::currentProfileChanged), this,
            &AdvancedDialog::profileChange);
    connect(editProfile, &ProfileEdit::showPopupMenu, this, &AdvancedDialog::popupProfileMenu);
    connect(m_profileMenu, &VideoProfileMenuWidget::clickedCustemized, this,
            &AdvancedDialog::customizeRequested);
    connect(btnWinClose, &QPushButton::clicked, this, &AdvancedDialog::reject);
    connect(btnCancel, &QPushButton::clicked, this, &AdvancedDialog::reject);
    connect(btnDefault, &QPushButton::clicked, this, &AdvancedDialog::onBtnDefaultClicked);
    connect(btnOK, &QPushButton::clicked, this, &AdvancedDialog::onBtnOKClicked);
}

void AdvancedDialog::buildForm()
{
    const auto makeCombo = [this](const QString &name) {
        auto *combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setMinimumWidth(150);
        return combo;
    };

    QHBoxLayout *caption = DialogCaption::build(this, tr("Advanced"), &lbCaption, &btnWinClose);

    editProfile = new ProfileEdit(this);
    editProfile->setObjectName(QStringLiteral("profileEdit"));
    auto *profileRow = new QHBoxLayout;
    profileRow->addWidget(new QLabel(tr("Profile:"), this));
    profileRow->addWidget(editProfile, 1);

    groupVideo = new QGroupBox(tr("Video"), this);
    groupVideo->setObjectName(QStringLiteral("groupBox"));
    cbVideoEncoder = makeCombo(QStringLiteral("videoEncoder"));
    cbVideoResolution = makeCombo(QStringLiteral("videoResolution"));
    cbVideoBitrate = makeCombo(QStringLiteral("videoBitrate"));
    cbVideoFrameRate = makeCombo(QStringLiteral("videoFrameRate"));
    auto *videoGrid = new QGridLayout(groupVideo);
    videoGrid->addWidget(new QLabel(tr("Encoder:"), groupVideo), 0, 0);
    videoGrid->addWidget(cbVideoEncoder, 0, 1);
    videoGrid->addWidget(new QLabel(tr("Resolution:"), groupVideo), 1, 0);
    videoGrid->addWidget(cbVideoResolution, 1, 1);
    videoGrid->addWidget(new QLabel(tr("Bit Rate:"), groupVideo), 2, 0);
    videoGrid->addWidget(cbVideoBitrate, 2, 1);
    videoGrid->addWidget(new QLabel(tr("Frame Rate:"), groupVideo), 3, 0);
    videoGrid->addWidget(cbVideoFrameRate, 3, 1);
    // How a picture of another shape than the frame is fitted into it.
    cbAspect = makeCombo(QStringLiteral("cbAspect"));
    cbAspect->addItem(tr("Fit with black bars"), int(ENCODE_ASPECT_FIT));
    cbAspect->addItem(tr("Stretch"), int(ENCODE_ASPECT_STRETCH));
    cbAspect->addItem(tr("Crop to fill"), int(ENCODE_ASPECT_CROP));
    cbAspect->setToolTip(tr("When the picture's shape differs from the frame size: keep the whole picture "
                            "with black bars, stretch it to the frame, or fill the frame and cut the rest"));
    videoGrid->addWidget(new QLabel(tr("Aspect:"), groupVideo), 4, 0);
    videoGrid->addWidget(cbAspect, 4, 1);

    groupAudio = new QGroupBox(tr("Audio"), this);
    groupAudio->setObjectName(QStringLiteral("groupBox_2"));
    cbAudioEncoder = makeCombo(QStringLiteral("audioEncoder"));
    cbAudioSampleRate = makeCombo(QStringLiteral("audioSampleRate"));
    cbAudioChannel = makeCombo(QStringLiteral("audioChannel"));
    cbAudioBitrate = makeCombo(QStringLiteral("audioBitrate"));
    auto *audioGrid = new QGridLayout(groupAudio);
    audioGrid->addWidget(new QLabel(tr("Encoder:"), groupAudio), 0, 0);
    audioGrid->addWidget(cbAudioEncoder, 0, 1);
    audioGrid->addWidget(new QLabel(tr("Sample Rate:"), groupAudio), 1, 0);
    audioGrid->addWidget(cbAudioSampleRate, 1, 1);
    audioGrid->addWidget(new QLabel(tr("Channel:"), groupAudio), 2, 0);
    audioGrid->addWidget(cbAudioChannel, 2, 1);
    audioGrid->addWidget(new QLabel(tr("Bit Rate:"), groupAudio), 3, 0);
    audioGrid->addWidget(cbAudioBitrate, 3, 1);

    chkEnableSplit = new QGroupBox(tr("Split"), this);
    chkEnableSplit->setObjectName(QStringLiteral("chkEnableSplit"));
    chkEnableSplit->setCheckable(true);
    radioSplitSize = new QRadioButton(tr("Split Size:"), chkEnableSplit);
    radioSplitSize->setObjectName(QStringLiteral("radioSplitSize"));
    radioSplitTime = new QRadioButton(tr("Split Time"), chkEnableSplit);
    radioSplitTime->setObjectName(QStringLiteral("radioSplitTime"));
    // Split lengths are positive whole numbers; the key filter keeps "0"
    // out while typing, the validator keeps anything else out of a paste.
    const auto *positive =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9][0-9]{0,6}")), this);
    for (QComboBox **combo : {&cbSplitSize, &cbSplitTime}) {
        *combo = new QComboBox(chkEnableSplit);
        (*combo)->setEditable(true);
        (*combo)->setInsertPolicy(QComboBox::NoInsert);
        (*combo)->setValidator(positive);
        (*combo)->installEventFilter(this);
        (*combo)->lineEdit()->installEventFilter(this);
    }
    cbSplitSize->setObjectName(QStringLiteral("cbSplitSize"));
    cbSplitTime->setObjectName(QStringLiteral("cbSplitTime"));
    auto *splitGrid = new QGridLayout(chkEnableSplit);
    splitGrid->addWidget(radioSplitSize, 0, 0);
    splitGrid->addWidget(cbSplitSize, 0, 1);
    splitGrid->addWidget(new QLabel(tr("MB"), chkEnableSplit), 0, 2);
    splitGrid->addWidget(radioSplitTime, 1, 0);
    splitGrid->addWidget(cbSplitTime, 1, 1);
    splitGrid->addWidget(new QLabel(tr("Minutes"), chkEnableSplit), 1, 2);

    btnDefault = new QPushButton(tr("Default"), this);
    btnDefault->setObjectName(QStringLiteral("btnDefault"));
    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnDefault);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *groups = new QHBoxLayout;
    groups->addWidget(groupVideo);
    groups->addWidget(groupAudio);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(17, 0, 17, 20);
    layout->addLayout(caption);
    layout->addLayout(profileRow);
    layout->addLayout(groups);
    layout->addWidget(chkEnableSplit);
    // The buttons sit on the skin's bottom band (54 px): the split group ends above it.
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

void AdvancedDialog::setProfile(const VideoProfileFormatUserConfig &profile)
{
    m_profile = profile;
}

void AdvancedDialog::profileChange(const VideoProfileFormatUserConfig &profile)
{
    qCDebug(lcGuiProfiles, "id = %s, title = %s", qPrintable(profile.getID()), qPrintable(profile.getName()));
    m_profile = profile;
    fillForm();
}

void AdvancedDialog::fillForm()
{
    const VideoProfileFormatUserConfig &p = m_profile;
    editProfile->setText(p.getName());

    fillCombo(cbVideoEncoder, p.getVideoEncoderList(), p.getVideoEncoder());
    fillCombo(cbVideoResolution, resolutionChoices(p.getResolutionList()),
              resolutionToDisplay(p.getResolution()));
    fillCombo(cbVideoFrameRate, p.getFrameRateList(), frameRateToDisplay(p.getFrameRate()));
    fillCombo(cbVideoBitrate, p.getVideoBitrateList(), bitrateToDisplay(p.getVideoBitrate()));
    fillCombo(cbAudioEncoder, p.getAudioEncoderList(), p.getAudioEncoder());
    fillCombo(cbAudioSampleRate, p.getSampleRateList(), sampleRateToDisplay(p.getSampleRate()));
    fillCombo(cbAudioChannel, p.getChannelList(), channelsToDisplay(p.getChannels()));
    fillCombo(cbAudioBitrate, p.getAudioBitrateList(), bitrateToDisplay(p.getAudioBitrate()));
    const int aspect = cbAspect->findData(p.getAspectMode());
    cbAspect->setCurrentIndex(aspect < 0 ? 0 : aspect);
    cbAspect->setEnabled(!p.getVideoEncoderList().isEmpty());

    const VideoUserConfig *store = VideoUserConfig::instance();
    const int mode = store->splitMode();
    chkEnableSplit->setChecked(mode == 1 || mode == 2);
    radioSplitSize->setChecked(mode != 2);
    radioSplitTime->setChecked(mode == 2);
    // Only listed lengths are selected; anything else shows the first one.
    fillCombo(cbSplitSize, kSplitSizes, QString::number(store->splitSize()));
    fillCombo(cbSplitTime, kSplitTimes, QString::number(store->splitTime()));
}

void AdvancedDialog::popupProfileMenu()
{
    m_profileMenu->show();
    m_profileMenu->move(x() + 80, y() + 70);
}

void AdvancedDialog::onBtnDefaultClicked()
{
    fillForm();
}

void AdvancedDialog::onBtnOKClicked()
{
    if (m_profile.isValid()) {
        m_profile.setVideoEncoder(chosen(cbVideoEncoder));
        m_profile.setResolution(resolutionFromDisplay(chosen(cbVideoResolution)));
        m_profile.setFrameRate(frameRateFromDisplay(chosen(cbVideoFrameRate)));
        m_profile.setVideoBitrate(bitrateFromDisplay(chosen(cbVideoBitrate)));
        m_profile.setAudioEncoder(chosen(cbAudioEncoder));
        m_profile.setSampleRate(sampleRateFromDisplay(chosen(cbAudioSampleRate)));
        m_profile.setChannels(channelsFromDisplay(chosen(cbAudioChannel)));
        m_profile.setAudioBitrate(bitrateFromDisplay(chosen(cbAudioBitrate)));
        if (cbAspect->isEnabled())
            m_profile.setAspectMode(cbAspect->currentData().toInt());
    }

    const int size = cbSplitSize->currentText().toInt();
    const int time = cbSplitTime->currentText().toInt();
    int mode = 0;
    if (chkEnableSplit->isChecked()) {
        if (radioSplitSize->isChecked())
            mode = 1;
        else if (radioSplitTime->isChecked())
            mode = 2;
    }
    // An empty length field would ask for pieces of no size at all.
    if ((mode == 1 && size <= 0) || (mode == 2 && time <= 0))
        mode = 0;
    VideoUserConfig *store = VideoUserConfig::instance();
    store->setSplitMode(mode);
    store->setSplitSize(size);
    store->setSplitTime(time);
    accept();
}

bool AdvancedDialog::eventFilter(QObject *watched, QEvent *event)
{
    const auto isField = [watched](const QComboBox *combo) {
        return combo && (watched == combo || watched == combo->lineEdit());
    };
    if (event->type() == QEvent::KeyPress && (isField(cbSplitSize) || isField(cbSplitTime))) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool allowed = (key >= Qt::Key_1 && key <= Qt::Key_9) || key == Qt::Key_Backspace ||
                             key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Right ||
                             key == Qt::Key_Tab || key == Qt::Key_Backtab;
        if (!allowed)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AdvancedDialog::showEvent(QShowEvent *event)
{
    fillForm();
    QDialog::showEvent(event);
}
