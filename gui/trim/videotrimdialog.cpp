#include "gui/trim/videotrimdialog.h"

#include "core/media/timetext.h"
#include "core/media/videoinfo.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/common/guilog.h"
#include "gui/common/widgetenhancer.h"
#include "gui/player/videoplayerscreen.h"
#include "gui/trim/videotrimdialogsectionchooser.h"

#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char *const kDialogStyle =
    "QLabel#lbCaption { color: white; font: bold 12px \"Arial\"; background: transparent; }"
    "QLabel { color: #1d2c44; font: 12px \"Arial\"; background: transparent; }"
    "QLineEdit { background: white; color: #1d2c44; border: 1px solid #8ea3c2; border-radius: 3px;"
    " padding: 1px 4px; font: 12px \"Arial\"; }"
    "QPushButton[plate=\"true\"] { color: white; font: 12px \"Arial\"; border: none; padding: 0px 6px;"
    " border-image: url(:/images/common/bigbutton_normal.png); }"
    "QPushButton[plate=\"true\"]:hover { border-image: url(:/images/common/bigbutton_hover.png); }"
    "QPushButton[plate=\"true\"]:pressed { border-image: url(:/images/common/bigbutton_pressed.png); }"
    "QPushButton[plate=\"true\"]:disabled { color: #d0d8e4;"
    " border-image: url(:/images/common/bigbutton_disabled.png); }"
    "QPushButton#btnWinClose { border: none; border-image: url(:/images/common/sys_quit_normal.png); }"
    "QPushButton#btnWinClose:hover { border-image: url(:/images/common/sys_quit_hover.png); }"
    "QPushButton#btnWinClose:pressed { border-image: url(:/images/common/sys_quit_pressed.png); }";

// A picture button: normal, hover and pressed faces, and for a checkable one
// the faces shown while checked.
QString pictureStyle(const QString &name, const QString &face, const QString &checkedFace = QString())
{
    const QString rule = QStringLiteral("QPushButton#%1%2 { border: none; border-image: url(%3_normal.png); }"
                                        "QPushButton#%1%2:hover { border-image: url(%3_hover.png); }"
                                        "QPushButton#%1%2:pressed { border-image: url(%3_pressed.png); }");
    QString style = rule.arg(name, QString(), face);
    if (!checkedFace.isEmpty())
        style += rule.arg(name, QStringLiteral(":checked"), checkedFace);
    return style;
}

QPushButton *pictureButton(QWidget *parent, const QString &name, const QString &face, const QString &tip,
                           const QString &checkedFace = QString())
{
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setFixedSize(29, 29);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCheckable(!checkedFace.isEmpty());
    button->setStyleSheet(pictureStyle(name, face, checkedFace));
    button->setToolTip(tip);
    return button;
}

QPushButton *plateButton(QWidget *parent, const QString &name, const QString &text, const QString &tip = {})
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setProperty("plate", true);
    // 90 wide, or wider where a translation needs it.
    button->setFixedHeight(26);
    button->setMinimumWidth(90);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

bool notPlaying(int status)
{
    return status == PLAY_STATUS_STOPPED || status == PLAY_STATUS_NONE;
}

} // namespace

VideoTrimDialog::VideoTrimDialog(CffmpegPlayer *player, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_player(player)
{
    m_playTimer = new QTimer(this);
    m_playTimer->setInterval(PlayTimerInterval);
    m_playTimer->setSingleShot(false);
    setupUi();
    connectSignals();
}

VideoTrimDialog::~VideoTrimDialog()
{
    // Destroyed without finishing (its parent went first): give the player back.
    releasePlayer();
}

void VideoTrimDialog::setupUi()
{
    setObjectName(QStringLiteral("VideoTrimDialog"));
    setWindowTitle(QStringLiteral("VideoTrimDialog"));
    setFixedSize(640, 610);
    setContentsMargins(7, 0, 7, 0);
    setStyleSheet(QString::fromLatin1(kDialogStyle));
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/trim_dlg_bkgnd.png"), 40, 3, 40, 3);

    m_lbCaption = new QLabel(tr("Clip"), this);
    m_lbCaption->setObjectName(QStringLiteral("lbCaption"));
    m_btnWinClose = new QPushButton(this);
    m_btnWinClose->setObjectName(QStringLiteral("btnWinClose"));
    m_btnWinClose->setFixedSize(27, 20);
    m_btnWinClose->setFocusPolicy(Qt::NoFocus);
    m_btnWinClose->setToolTip(tr("Close"));
    auto *captionRow = new QHBoxLayout;
    captionRow->setContentsMargins(4, 0, 0, 0);
    captionRow->addWidget(m_lbCaption, 0, Qt::AlignVCenter);
    captionRow->addStretch(1);
    captionRow->addWidget(m_btnWinClose, 0, Qt::AlignTop);

    m_screen = new VideoPlayerScreen(this);
    m_screen->setObjectName(QStringLiteral("playerWidget"));
    m_screen->setStyleSheet(QStringLiteral("background-color:black;"));
    m_screen->setMinimumSize(320, 240);
    m_screen->installEventFilter(this);

    m_chooser = new VideoTrimDialogSectionChooser(this);
    m_chooser->setObjectName(QStringLiteral("startEndChooser"));

    const QString imageDir = QStringLiteral(":/images/dialogs/video_edit_");
    m_btnStart = pictureButton(this, QStringLiteral("btnStart"), imageDir + "play", tr("Play/Pause"),
                               imageDir + "pause");
    m_btnStop = pictureButton(this, QStringLiteral("btnStop"), imageDir + "stop", tr("Stop"));
    m_btnForward = pictureButton(this, QStringLiteral("btnForward"),
                                 QStringLiteral(":/images/mainwindow/videoplayer/player_btn_forward"),
                                 tr("Forward one twentieth"));
    m_btnPlaySection = plateButton(this, QStringLiteral("btnPlaySection"), tr("Play Section"),
                                   tr("Play from the start of the section"));
    m_lbPlayTime = new QLabel(QStringLiteral("00:00:00"), this);
    m_lbPlayTime->setObjectName(QStringLiteral("lbPlayTime"));
    m_labelSlash = new QLabel(QStringLiteral("/"), this);
    m_labelSlash->setObjectName(QStringLiteral("labelSlash"));
    m_lbTotalTime = new QLabel(QStringLiteral("00:00:00"), this);
    m_lbTotalTime->setObjectName(QStringLiteral("lbTotalTime"));
    auto *playRow = new QHBoxLayout;
    playRow->setSpacing(8);
    for (QWidget *w : {static_cast<QWidget *>(m_btnStart), static_cast<QWidget *>(m_btnStop),
                       static_cast<QWidget *>(m_btnForward), static_cast<QWidget *>(m_btnPlaySection)})
        playRow->addWidget(w);
    playRow->addStretch(1);
    playRow->addWidget(m_lbPlayTime);
    playRow->addWidget(m_labelSlash);
    playRow->addWidget(m_lbTotalTime);

    m_btnSetLeftPos =
        plateButton(this, QStringLiteral("btnSetLeftPos"), tr("Set Start"), tr("Start the clip here"));
    m_editLeftPos = new QLineEdit(QStringLiteral("00:00:00"), this);
    m_editLeftPos->setObjectName(QStringLiteral("editLeftPos"));
    m_editRightPos = new QLineEdit(QStringLiteral("00:00:00"), this);
    m_editRightPos->setObjectName(QStringLiteral("editRightPos"));
    for (QLineEdit *edit : {m_editLeftPos, m_editRightPos}) {
        edit->setReadOnly(true);
        edit->setFixedWidth(74);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFocusPolicy(Qt::NoFocus);
    }
    auto *dash = new QLabel(QStringLiteral("-"), this);
    m_btnSetRightPos =
        plateButton(this, QStringLiteral("btnSetRightPos"), tr("Set End"), tr("End the clip here"));
    m_btnClip = plateButton(this, QStringLiteral("btnClip"), tr("Clip"), tr("Add the section to the clips"));
    auto *markRow = new QHBoxLayout;
    markRow->setSpacing(6);
    markRow->addWidget(m_btnSetLeftPos);
    markRow->addWidget(m_editLeftPos);
    markRow->addWidget(dash);
    markRow->addWidget(m_editRightPos);
    markRow->addWidget(m_btnSetRightPos);
    markRow->addStretch(1);
    markRow->addWidget(m_btnClip);

    m_videoList = new QListWidget(this);
    m_videoList->setObjectName(QStringLiteral("videoList"));
    m_videoList->setViewMode(QListView::IconMode);
    m_videoList->setIconSize(QSize(60, 48));
    m_videoList->setFlow(QListView::LeftToRight);
    m_videoList->setWrapping(false);
    m_videoList->setMovement(QListView::Static);
    m_videoList->setSpacing(10);
    m_videoList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_videoList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_videoList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_videoList->setStyleSheet(
        QStringLiteral("QListView {\n\tborder:0px;\n}\n\n QScrollBar:horizontal {\n     height:10px;\n }\n"));
    m_videoList->setFixedHeight(80);

    m_btnReset = plateButton(this, QStringLiteral("btnReset"), tr("Reset"));
    m_btnClearAll = plateButton(this, QStringLiteral("btnClearAll"), tr("Clear All"));
    m_btnOK = plateButton(this, QStringLiteral("btnOK"), tr("OK"));
    m_btnCancel = plateButton(this, QStringLiteral("btnCancel"), tr("Cancel"));
    auto *bottomRow = new QHBoxLayout;
    bottomRow->setSpacing(10);
    bottomRow->addWidget(m_btnReset);
    bottomRow->addWidget(m_btnClearAll);
    bottomRow->addStretch(1);
    bottomRow->addWidget(m_btnOK);
    bottomRow->addWidget(m_btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 10);
    layout->setSpacing(6);
    layout->addLayout(captionRow);
    layout->addSpacing(10);
    layout->addWidget(m_screen, 1);
    layout->addWidget(m_chooser);
    layout->addLayout(playRow);
    layout->addLayout(markRow);
    layout->addWidget(m_videoList);
    layout->addLayout(bottomRow);

    m_btnStop->setEnabled(false);
}

void VideoTrimDialog::connectSignals()
{
    connect(m_playTimer, &QTimer::timeout, this, &VideoTrimDialog::onPlayTimerTick);
    connect(m_btnStart, &QPushButton::clicked, this, &VideoTrimDialog::onBtnStartClicked);
    connect(m_btnStop, &QPushButton::clicked, this, &VideoTrimDialog::onBtnStopClicked);
    connect(m_btnForward, &QPushButton::clicked, this, &VideoTrimDialog::onBtnForwardClicked);
    connect(m_btnPlaySection, &QPushButton::clicked, this, &VideoTrimDialog::onBtnPlaySectionClicked);
    connect(m_btnSetLeftPos, &QPushButton::clicked, this, &VideoTrimDialog::onBtnLeftClicked);
    connect(m_btnSetRightPos, &QPushButton::clicked, this, &VideoTrimDialog::onBtnRightClicked);
    connect(m_btnClip, &QPushButton::clicked, this, &VideoTrimDialog::onBtnClipClicked);
    connect(m_btnReset, &QPushButton::clicked, this, &VideoTrimDialog::onBtnResetClicked);
    connect(m_btnOK, &QPushButton::clicked, this, &VideoTrimDialog::onBtnOKClicked);
    connect(m_btnCancel, &QPushButton::clicked, this, &VideoTrimDialog::onBtnCancelClicked);
    connect(m_btnWinClose, &QPushButton::clicked, this, &VideoTrimDialog::onBtnCancelClicked);
    connect(m_btnClearAll, &QPushButton::clicked, this, &VideoTrimDialog::onBtnClearAllClicked);
    connect(this, &QDialog::finished, this, &VideoTrimDialog::onDlgFinished);
    connect(m_chooser, &VideoTrimDialogSectionChooser::startValChanged, this,
            &VideoTrimDialog::onStartValCtrlChanged);
    connect(m_chooser, &VideoTrimDialogSectionChooser::endValChanged, this,
            &VideoTrimDialog::onEndValCtrlChanged);
    connect(m_chooser, &VideoTrimDialogSectionChooser::sliderMoved, this,
            &VideoTrimDialog::onPlaySliderMoved);
    connect(m_chooser, &VideoTrimDialogSectionChooser::chooseStarted, this, &VideoTrimDialog::onChooseStart);
    connect(m_chooser, &VideoTrimDialogSectionChooser::chooseEnd, this, &VideoTrimDialog::onChooseEnd);
}

void VideoTrimDialog::setSource(const VideoBasicInfo &info)
{
    m_source = info;
    m_section.setSource(info);
}

QList<VideoBasicInfo> VideoTrimDialog::listedClips() const
{
    QList<VideoBasicInfo> clips;
    for (int i = 0; i < m_videoList->count(); ++i)
        clips << m_videoList->item(i)->data(Qt::UserRole).value<VideoBasicInfo>();
    return clips;
}

qint64 VideoTrimDialog::screenWindowId() const
{
    return static_cast<qint64>(m_screen->winId());
}

void VideoTrimDialog::showMessage(const QString &title, const QString &text)
{
    if (m_messageSink) {
        m_messageSink(title, text);
        return;
    }
    QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}

void VideoTrimDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A show from the window system (un-minimising) keeps what is marked.
    if (event->spontaneous() || m_ownsPlayer)
        return;
    m_previousWndId = FFP_SetWndID(screenWindowId());
    m_ownsPlayer = true;
    m_player->SetInitSize(m_screen->width(), m_screen->height());
    startPlay();
    m_section.selectAll();
    showWholeSource();
    clearClips();
    m_result.clear();
}

void VideoTrimDialog::startPlay()
{
    m_playTimer->start();
    CffmpegPlayer *p = m_player;
    const int status = p->GetPlayStatus();
    if (notPlaying(status)) {
        if (!p->OpenFile(m_source.filename.toLocal8Bit().constData())) {
            m_playTimer->stop();
            m_btnStart->setChecked(false);
            showMessage(tr("warnning"), tr("selected video file is not a valid video file."));
            return;
        }
        p->SetStartEndPos(m_source.msStart, m_source.msEnd);
    } else if (status != PLAY_STATUS_PAUSED) {
        return;
    }
    p->Play();
    m_btnStart->setChecked(true);
    m_btnStop->setEnabled(true);
}

void VideoTrimDialog::showWholeSource()
{
    m_lbTotalTime->setText(TimeText::fromMs(m_section.duration()));
    m_lbPlayTime->setText(TimeText::fromMs(qint64(0)));
    m_chooser->resetCursors();
    m_editLeftPos->setText(TimeText::fromMs(qint64(0)));
    m_editRightPos->setText(TimeText::fromMs(m_section.duration()));
}

void VideoTrimDialog::stopPlay()
{
    showWholeSource();
    m_playTimer->stop();
    m_player->Stop();
    m_btnStop->setEnabled(false);
    m_chooser->slider()->setValue(0);
}

void VideoTrimDialog::pausePlay()
{
    m_player->Pause();
}

void VideoTrimDialog::onBtnStartClicked()
{
    if (m_player->GetPlayStatus() == PLAY_STATUS_PLAYING) {
        m_player->Pause();
        m_btnStart->setChecked(false);
    } else {
        startPlay();
        m_btnStart->setChecked(m_player->GetPlayStatus() == PLAY_STATUS_PLAYING);
    }
}

void VideoTrimDialog::onBtnStopClicked()
{
    stopPlay();
    m_btnStart->setChecked(false);
}

void VideoTrimDialog::onPlayTimerTick()
{
    CffmpegPlayer *p = m_player;
    const double position = p->GetCurrentPosition();
    m_lbPlayTime->setText(TimeText::fromMs(position));
    // The handle stays where the user holds it.
    if (!m_chooser->slider()->isSliderDown())
        m_chooser->slider()->setValue(m_section.sliderForPosition(position));
    if (notPlaying(p->GetPlayStatus())) {
        m_btnStart->setChecked(false);
        m_btnStop->setEnabled(false);
        m_playTimer->stop();
    }
}

void VideoTrimDialog::seekToSlider(int value)
{
    m_player->Seek(double(m_section.seekTargetForSlider(value)));
}

void VideoTrimDialog::onPlaySliderMoved(int value)
{
    seekToSlider(value);
}

void VideoTrimDialog::onBtnForwardClicked()
{
    seekToSlider(TrimSection::forwardSliderValue(m_chooser->slider()->value()));
}

void VideoTrimDialog::onBtnPlaySectionClicked()
{
    // Stopped or paused: play first, so that there is something to seek in.
    if (m_player->GetPlayStatus() != PLAY_STATUS_PLAYING)
        startPlay();
    seekToSlider(m_section.sliderForSectionStart());
}

void VideoTrimDialog::showSectionFields()
{
    m_editLeftPos->setText(TimeText::fromMs(m_section.start()));
    m_editRightPos->setText(TimeText::fromMs(m_section.end()));
}

void VideoTrimDialog::applyStart(double positionMs)
{
    m_section.setStartAt(positionMs);
    showSectionFields();
}

void VideoTrimDialog::applyEnd(double positionMs)
{
    m_section.setEndAt(positionMs);
    showSectionFields();
}

void VideoTrimDialog::onBtnLeftClicked()
{
    applyStart(m_player->GetCurrentPosition());
    // The cursors follow what the buttons mark.
    m_chooser->setEndValue(m_section.sliderForPosition(double(m_section.end())));
    m_chooser->setStartValue(m_section.sliderForPosition(double(m_section.start())));
}

void VideoTrimDialog::onBtnRightClicked()
{
    applyEnd(m_player->GetCurrentPosition());
    m_chooser->setStartValue(m_section.sliderForPosition(double(m_section.start())));
    m_chooser->setEndValue(m_section.sliderForPosition(double(m_section.end())));
}

void VideoTrimDialog::onStartValCtrlChanged(int value)
{
    seekToSlider(value);
    onPlayTimerTick();
    // The cursor marks the whole second the player was sent to (also while
    // stopped, when there is no position to read).
    const qint64 end = m_section.end();
    applyStart(double(m_section.seekTargetForSlider(value)));
    if (m_section.end() != end)
        m_chooser->setEndValue(m_section.sliderForPosition(double(m_section.end())));
}

void VideoTrimDialog::onEndValCtrlChanged(int value)
{
    seekToSlider(value);
    onPlayTimerTick();
    const qint64 start = m_section.start();
    applyEnd(double(m_section.seekTargetForSlider(value)));
    if (m_section.start() != start)
        m_chooser->setStartValue(m_section.sliderForPosition(double(m_section.start())));
}

void VideoTrimDialog::onChooseStart()
{
    pausePlay();
}

void VideoTrimDialog::onChooseEnd()
{
    startPlay();
}

void VideoTrimDialog::onBtnClipClicked()
{
    if (m_section.isEmpty()) {
        showMessage(tr("Warning"), tr("The clip is empty: set its end after its start."));
        return;
    }
    const VideoBasicInfo clip = m_section.clip();
    QImage thumbnail;
    unsigned char *jpeg = nullptr;
    // The picture at the clip's start, in the file's own time.
    const int bytes = m_player->GetThumbImage(jpeg, clip.msStart);
    if (bytes > 0 && jpeg)
        thumbnail.loadFromData(jpeg, bytes, "JPG");
    if (thumbnail.isNull())
        thumbnail.load(VideoInfo::audioIconPath());

    auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnail)), QString());
    item->setData(Qt::UserRole, QVariant::fromValue(clip));
    item->setToolTip(QStringLiteral("%1 - %2").arg(TimeText::fromMs(qint64(clip.msStart)),
                                                   TimeText::fromMs(qint64(clip.msEnd))));
    m_videoList->addItem(item);
    m_videoList->scrollToItem(item);
}

void VideoTrimDialog::clearClips()
{
    m_videoList->clear();
}

void VideoTrimDialog::onBtnOKClicked()
{
    m_player->Stop();
    m_player->CloseFile();
    m_result.clear();
    for (int i = 0; i < m_videoList->count(); ++i) {
        const QListWidgetItem *item = m_videoList->item(i);
        const VideoBasicInfo clip = item->data(Qt::UserRole).value<VideoBasicInfo>();
        qCDebug(lcEditor, "pFileInfo = [0x%X], filename = [%s], msStart = [%d], msEnd = [%d]",
                unsigned(quintptr(item) & 0xFFFFFFFFu), qPrintable(clip.filename), clip.msStart, clip.msEnd);
        m_result << clip;
    }
    clearClips();
    accept();
}

void VideoTrimDialog::onBtnCancelClicked()
{
    m_player->Stop();
    m_player->CloseFile();
    m_result.clear();
    clearClips();
    reject();
}

void VideoTrimDialog::onBtnClearAllClicked()
{
    m_result.clear();
    clearClips();
}

void VideoTrimDialog::onBtnResetClicked()
{
    clearClips();
    m_player->Seek(0);
    showWholeSource();
}

void VideoTrimDialog::releasePlayer()
{
    m_playTimer->stop();
    if (!m_ownsPlayer)
        return;
    m_ownsPlayer = false;
    m_player->CloseFile();
    FFP_SetWndID(m_previousWndId);
}

void VideoTrimDialog::onDlgFinished(int result)
{
    Q_UNUSED(result);
    releasePlayer();
}

bool VideoTrimDialog::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::UpdateRequest) {
        if (auto *screen = qobject_cast<VideoPlayerScreen *>(m_screen))
            screen->refreshFrame();
    }
    return handled;
}

bool VideoTrimDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The player draws at the screen's size; tell it when that changes.
    if (watched == m_screen && event->type() == QEvent::Resize && m_ownsPlayer)
        m_player->SetInitSize(m_screen->width(), m_screen->height());
    return QDialog::eventFilter(watched, event);
}
