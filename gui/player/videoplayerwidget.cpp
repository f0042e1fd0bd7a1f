#include "gui/player/videoplayerwidget.h"

#include "core/config/videouserconfig.h"
#include "core/media/snapshotnames.h"
#include "core/media/timetext.h"
#include "core/media/videoinfomanager.h"
#include "gui/common/guilog.h"
#include "gui/common/widgetenhancer.h"
#include "gui/player/playerbuttons.h"
#include "gui/player/seekslider.h"
#include "gui/player/videoplayerscreen.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

VideoPlayerWidget::VideoPlayerWidget(CffmpegPlayer *player, QWidget *parent)
    : QWidget(parent), m_player(player)
{
    m_playTimer = new QTimer(this);
    m_playTimer->setInterval(PlayTimerInterval);
    m_playTimer->setSingleShot(false);

    setupUi();
    setupMoreMenu();

    connect(m_btnStart, &QPushButton::clicked, this, &VideoPlayerWidget::onBtnStartClick);
    connect(m_btnStop, &QPushButton::clicked, this, &VideoPlayerWidget::onBtnStopClick);
    connect(m_btnBack, &QPushButton::clicked, this, &VideoPlayerWidget::onBtnBackClick);
    connect(m_btnForward, &QPushButton::clicked, this, &VideoPlayerWidget::onBtnForwardClick);
    connect(m_btnSnapshot, &QPushButton::clicked, this, &VideoPlayerWidget::onSnapshot);
    connect(m_btnMore, &QPushButton::clicked, this, &VideoPlayerWidget::onBtnMoreClick);
    connect(m_btnSound, &QPushButton::clicked, this, &VideoPlayerWidget::onBtnSoundClick);
    connect(m_sliderPlayProgress, &QSlider::sliderMoved, this, &VideoPlayerWidget::onSliderPlayProgressMoved);
    connect(m_sliderVolumn, &QSlider::valueChanged, this, &VideoPlayerWidget::onSliderVolumnMoved);
    connect(m_playTimer, &QTimer::timeout, this, &VideoPlayerWidget::onPlayTimerTimeout);
    connect(this, &VideoPlayerWidget::playStatusChanged, this, &VideoPlayerWidget::onPlayStatusChanged,
            Qt::UniqueConnection);
    connect(VideoInfoManager::instance(), qOverload<int>(&VideoInfoManager::videoRemoved), this,
            &VideoPlayerWidget::onVideoRemoved);

    FFP_AddDestroyObserver(this);
}

VideoPlayerWidget::~VideoPlayerWidget()
{
    // Closing the file below notifies the observers; this panel is past caring.
    m_player->removeDestroyObserver(this);
    m_playTimer->stop();
    m_player->CloseFile();
    // Do not leave the player pointing at a window that is about to vanish.
    const WId id = m_screen->internalWinId();
    if (id && CffmpegPlayer::getWndID() == static_cast<int64_t>(id))
        CffmpegPlayer::setWndID(0);
}

void VideoPlayerWidget::setupUi()
{
    setObjectName(QStringLiteral("videoPlayerWidget"));
    setMinimumSize(380, 320);
    setContentsMargins(0, 0, 0, 15);
    if (WidgetEnhancer *skin = WidgetEnhancer::create(this, false, false))
        skin->loadSkin(QStringLiteral(":/images/mainwindow/videoplayer/player_bkgnd.png"), 24, 3, 3, 3);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    m_lbTitle = new QLabel(tr("Preview"), this);
    m_lbTitle->setObjectName(QStringLiteral("lbTitle"));
    m_lbTitle->setFixedHeight(23);
    m_lbTitle->setStyleSheet(QStringLiteral("font: bold 12px; padding-left:10px; background: transparent;"));
    layout->addWidget(m_lbTitle);

    auto *videoWidget = new QWidget(this);
    videoWidget->setObjectName(QStringLiteral("videoWidget"));
    videoWidget->setAttribute(Qt::WA_StyledBackground);
    videoWidget->setStyleSheet(
        QStringLiteral("#videoWidget { background-color: white; margin:7px; border:1px solid grey; }"));
    auto *videoLayout = new QHBoxLayout(videoWidget);
    videoLayout->setContentsMargins(8, 8, 8, 8); // inside the 7px margin and the 1px border
    videoLayout->setSpacing(0);
    m_screen = new VideoPlayerScreen(videoWidget);
    m_screen->setObjectName(QStringLiteral("videoPlayerScreen"));
    m_screen->setStyleSheet(QStringLiteral("background-color:black; margin:0px; border:1px solid blue;"));
    m_screen->installEventFilter(this);
    videoLayout->addWidget(m_screen);
    layout->addWidget(videoWidget, 1);

    m_sliderPlayProgress = new SeekSlider(Qt::Horizontal, this);
    m_sliderPlayProgress->setObjectName(QStringLiteral("sliderPlayProgress"));
    m_sliderPlayProgress->setStyleSheet(QStringLiteral(
        "QSlider::groove:horizontal { border: none; height: 16px;"
        " border-image: url(:/images/mainwindow/videoplayer/slider_bkgnd.png); }"
        "QSlider::handle:horizontal { width: 14px; margin: 1px 0px;"
        " border-image: url(:/images/common/slider_handle_normal.png); }"
        "QSlider::handle:horizontal:hover { border-image: url(:/images/common/slider_handle_hover.png); }"
        "QSlider::handle:horizontal:pressed { border-image: url(:/images/common/slider_handle_pressed.png); "
        "}"));
    layout->addWidget(m_sliderPlayProgress);

    auto *timeRow = new QWidget(this);
    timeRow->setFixedHeight(15);
    auto *timeLayout = new QHBoxLayout(timeRow);
    timeLayout->setContentsMargins(0, 0, 10, 0);
    timeLayout->setSpacing(0);
    timeLayout->addStretch();
    m_lbTime = new QLabel(QStringLiteral("00:00:00/00:00:00"), timeRow);
    m_lbTime->setObjectName(QStringLiteral("lbTime"));
    // 107 pixels hold "00:00:00/00:00:00" in the skin's narrow font; wider
    // fonts get the room they need so that the text is never cut.
    m_lbTime->ensurePolished();
    const int timeWidth = m_lbTime->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00/00:00:00")) + 4;
    m_lbTime->setFixedSize(std::max(107, timeWidth), 15);
    m_lbTime->setAlignment(Qt::AlignCenter);
    m_lbTime->setStyleSheet(QStringLiteral("color: #000000; font: 12px;"));
    timeLayout->addWidget(m_lbTime);
    layout->addWidget(timeRow);

    auto *bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("bottomWidge"));
    bottom->setFixedHeight(30);
    auto *bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(15, 0, 0, 0);
    bottomLayout->setSpacing(10);
    m_btnStart = PlayerButtons::make(bottom, QStringLiteral("btnStart"), QStringLiteral("start"), tr("Play"),
                                     29, 29, QStringLiteral("pause"));
    m_btnStop =
        PlayerButtons::make(bottom, QStringLiteral("btnStop"), QStringLiteral("stop"), tr("Stop"), 29, 29);
    m_btnBack =
        PlayerButtons::make(bottom, QStringLiteral("btnBack"), QStringLiteral("back"), tr("Back"), 29, 29);
    m_btnForward = PlayerButtons::make(bottom, QStringLiteral("btnForward"), QStringLiteral("forward"),
                                       tr("Forward"), 29, 29);
    m_btnSnapshot = PlayerButtons::make(bottom, QStringLiteral("btnSnapshot"), QStringLiteral("shoot"),
                                        tr("Snapshot"), 19, 24);
    m_btnMore =
        PlayerButtons::make(bottom, QStringLiteral("btnMore"), QStringLiteral("more"), tr("More"), 19, 24);
    m_btnSound = PlayerButtons::make(bottom, QStringLiteral("btnSound"), QStringLiteral("sound"), tr("Mute"),
                                     18, 18, QStringLiteral("sound_disabled"));
    for (QPushButton *button :
         {m_btnStart, m_btnStop, m_btnBack, m_btnForward, m_btnSnapshot, m_btnMore, m_btnSound}) {
        bottomLayout->addWidget(button);
        button->installEventFilter(this);
        button->graphicsEffect()->setEnabled(!button->isEnabled());
    }
    m_sliderVolumn = new QSlider(Qt::Horizontal, bottom);
    m_sliderVolumn->setObjectName(QStringLiteral("sliderVolumn"));
    m_sliderVolumn->setFixedHeight(8);
    m_sliderVolumn->setFocusPolicy(Qt::NoFocus);
    m_sliderVolumn->setRange(0, 128);
    m_sliderVolumn->setValue(128);
    m_sliderVolumn->setTracking(true);
    bottomLayout->addWidget(m_sliderVolumn);
    bottomLayout->addStretch();
    layout->addWidget(bottom);

    m_btnStart->setEnabled(false);
    m_btnStop->setEnabled(false);
    m_btnSnapshot->setEnabled(false);
}

void VideoPlayerWidget::setupMoreMenu()
{
    m_menuMore = new QMenu(this);
    m_menuMore->setObjectName(QStringLiteral("menuMore"));
    m_actionSnapshot = m_menuMore->addAction(tr("Snapshot"));
    m_actionSnapshot->setObjectName(QStringLiteral("actionSnapshot"));
    m_actionSnapshot->setEnabled(false);
    QAction *openFolder = m_menuMore->addAction(tr("Open Snapshot Folder"));
    openFolder->setObjectName(QStringLiteral("actionOpenSnapshotFolder"));
    QAction *changeFolder = m_menuMore->addAction(tr("Change Snapshot Folder"));
    changeFolder->setObjectName(QStringLiteral("actionChangeSnapshotFolder"));

    QMenu *formatMenu = m_menuMore->addMenu(tr("Snapshot Format"));
    formatMenu->setObjectName(QStringLiteral("menuSnapshotFormat"));
    auto *formats = new QActionGroup(this);
    formats->setExclusive(true);
    m_actionJpeg = formatMenu->addAction(tr("JPEG"));
    m_actionJpeg->setObjectName(QStringLiteral("actionJpeg"));
    m_actionBmp = formatMenu->addAction(tr("BMP"));
    m_actionBmp->setObjectName(QStringLiteral("actionBmp"));
    for (QAction *action : {m_actionJpeg, m_actionBmp}) {
        action->setCheckable(true);
        formats->addAction(action);
    }
    syncFormatActions();
    // The format may also be changed elsewhere (settings dialog): show the stored one.
    connect(formatMenu, &QMenu::aboutToShow, this, &VideoPlayerWidget::syncFormatActions);

    connect(m_actionSnapshot, &QAction::triggered, this, &VideoPlayerWidget::onSnapshot);
    connect(openFolder, &QAction::triggered, this, &VideoPlayerWidget::onOpenSnapshotFolder);
    connect(changeFolder, &QAction::triggered, this, &VideoPlayerWidget::onChangeSnapshotFolder);
    connect(m_actionJpeg, &QAction::triggered, this, &VideoPlayerWidget::onSnapshotFormatJpeg);
    connect(m_actionBmp, &QAction::triggered, this, &VideoPlayerWidget::onSnapshotFormatBmp);
}

void VideoPlayerWidget::syncFormatActions()
{
    const bool bmp = VideoUserConfig::instance()->snapshotFormat() == QLatin1String("bmp");
    m_actionBmp->setChecked(bmp);
    m_actionJpeg->setChecked(!bmp);
}

void VideoPlayerWidget::setCurrentRowSource(std::function<int()> source)
{
    m_currentRowSource = std::move(source);
}

int VideoPlayerWidget::listCurrentRow() const
{
    return m_currentRowSource ? m_currentRowSource() : m_lastListRow;
}

void VideoPlayerWidget::connectPlayCommands(QObject *play, QObject *pause, QObject *stop)
{
    const auto wire = [this](QObject *source, void (VideoPlayerWidget::*slot)()) {
        if (auto *action = qobject_cast<QAction *>(source))
            connect(action, &QAction::triggered, this, slot);
        else if (auto *button = qobject_cast<QAbstractButton *>(source))
            connect(button, &QAbstractButton::clicked, this, slot);
    };
    wire(play, &VideoPlayerWidget::onBtnStartClick);
    wire(pause, &VideoPlayerWidget::onBtnPauseClick);
    wire(stop, &VideoPlayerWidget::onBtnStopClick);
}

int64_t VideoPlayerWidget::screenWindowId() const
{
    return static_cast<int64_t>(m_screen->winId());
}

void VideoPlayerWidget::startPlay(const VideoBasicInfo &info)
{
    CffmpegPlayer *player = m_player;
    CffmpegPlayer::setWndID(screenWindowId());
    const QByteArray path = info.filename.toLocal8Bit();
    if (player->GetOpenedFileName() != path.toStdString())
        player->CloseFile();

    const int status = player->GetPlayStatus();
    if (status == PLAY_STATUS_STOPPED || status == PLAY_STATUS_NONE) {
        if (!player->OpenFile(path.constData())) {
            QMessageBox::information(window(), tr("warnning"),
                                     tr("selected video file is not a valid video file."), QMessageBox::Ok);
            return;
        }
        const int start = info.msStart;
        const int end = info.msEnd;
        qint64 length = qint64(end) - start;
        if (end < 0 || end <= start) {
            // No section given: the whole file from the start (or from start).
            FileInfo fileInfo;
            length = player->GetFileInfo(&fileInfo) ? qint64(fileInfo.durationMs) - std::max(start, 0) : 0;
        }
        length = std::clamp<qint64>(length, 0, std::numeric_limits<int>::max());
        m_lbTime->setText(TimeText::fromMs(qint64(length)));
        m_sliderPlayProgress->setRange(0, int(length));
        m_playTimer->setInterval(PlayTimerInterval);
        m_playTimer->setSingleShot(false);
        m_playTimer->start();
        player->SetInitSize(m_screen->width(), m_screen->height());
        player->SetStartEndPos(start, end);
        player->Play();
        player->SetVolumn(m_sliderVolumn->value());
        // A new playback: the playing row is taken afresh from the list.
        m_currentIndex = -1;
        m_playingItem = nullptr;
        emit playStatusChanged(PLAY_STATUS_PLAYING);
    } else if (status == PLAY_STATUS_PAUSED) {
        player->SetStartEndPos(info.msStart, info.msEnd);
        player->Play();
        emit playStatusChanged(PLAY_STATUS_PLAYING);
    }
}

void VideoPlayerWidget::onPlayRow(int row)
{
    VideoBasicInfo info;
    if (!VideoInfoManager::instance()->basicInfo(row, info))
        return;
    m_requestedRow = row;
    startPlay(info);
    m_requestedRow = -1;
}

void VideoPlayerWidget::onBtnStartClick()
{
    CffmpegPlayer *player = m_player;
    switch (player->GetPlayStatus()) {
    case PLAY_STATUS_PLAYING:
        player->Pause();
        emit playStatusChanged(PLAY_STATUS_PAUSED);
        m_btnStart->setChecked(false);
        break;
    case PLAY_STATUS_PAUSED:
        player->Play();
        emit playStatusChanged(PLAY_STATUS_PLAYING);
        m_btnStart->setChecked(true);
        break;
    case PLAY_STATUS_NONE:
    case PLAY_STATUS_STOPPED:
        onPlayRow(listCurrentRow());
        // Show the pause face only when something really plays now.
        m_btnStart->setChecked(player->GetPlayStatus() == PLAY_STATUS_PLAYING);
        break;
    default:
        break;
    }
}

void VideoPlayerWidget::stopPlayback()
{
    {
        // Stop() tells the observers, this panel among them; it reports below.
        const QScopedValueRollback<bool> stopping(m_stopping, true);
        m_player->Stop();
    }
    m_playTimer->stop();
    emit playStatusChanged(PLAY_STATUS_STOPPED);
}

void VideoPlayerWidget::onBtnStopClick()
{
    stopPlayback();
}

void VideoPlayerWidget::onBtnPauseClick()
{
    m_player->Pause();
    emit playStatusChanged(PLAY_STATUS_PAUSED);
}

void VideoPlayerWidget::onBtnBackClick()
{
    CffmpegPlayer *player = m_player;
    if (player->GetPlayStatus() != PLAY_STATUS_PLAYING)
        return;
    player->Seek(std::max(0.0, player->GetCurrentPosition() - BackStep));
}

void VideoPlayerWidget::onBtnForwardClick()
{
    CffmpegPlayer *player = m_player;
    if (player->GetPlayStatus() != PLAY_STATUS_PLAYING)
        return;
    player->Seek(player->GetCurrentPosition() + ForwardStep);
}

void VideoPlayerWidget::onBtnSoundClick()
{
    m_sliderVolumn->setEnabled(!m_btnSound->isChecked());
    m_player->SetSilent();
}

void VideoPlayerWidget::onBtnMoreClick()
{
    QPoint pos = m_btnMore->mapToGlobal(QPoint(0, m_btnMore->height() + 5));
    pos.ry() += 5;
    m_menuMore->popup(pos);
}

void VideoPlayerWidget::onSliderPlayProgressMoved(int val)
{
    m_player->Seek(val);
}

void VideoPlayerWidget::onSliderVolumnMoved(int val)
{
    m_player->SetVolumn(val);
}

void VideoPlayerWidget::onPlayTimerTimeout()
{
    CffmpegPlayer *player = m_player;
    const double position = player->GetCurrentPosition();
    const int p = int(std::clamp(position, 0.0, double(std::numeric_limits<int>::max())));
    // Leave the handle where the user holds it while dragging.
    if (!m_sliderPlayProgress->isSliderDown())
        m_sliderPlayProgress->setValue(p);
    const QString text = m_lbTime->text();
    const int slash = text.indexOf(QLatin1Char('/'));
    const QString length = slash < 0 ? text : text.mid(slash + 1);
    m_lbTime->setText(TimeText::fromMs(qint64(p)) + QLatin1Char('/') + length);

    const int status = player->GetPlayStatus();
    if (status == PLAY_STATUS_STOPPED || status == PLAY_STATUS_NONE)
        emit playStatusChanged(PLAY_STATUS_STOPPED);
}

void VideoPlayerWidget::onVideoListCurrentItemChanged(int index)
{
    m_lastListRow = index;
    if (index == -1) {
        if (m_btnStart->isEnabled() && m_player->GetPlayStatus() != PLAY_STATUS_PAUSED)
            m_btnStart->setEnabled(false);
    } else if (!m_btnStart->isEnabled() && !m_btnStop->isEnabled()) {
        m_btnStart->setEnabled(true);
    }
}

void VideoPlayerWidget::onPlayStatusChanged(int status)
{
    m_btnSnapshot->setEnabled(false);
    m_actionSnapshot->setEnabled(false);
    m_btnBack->setEnabled(false);
    m_btnForward->setEnabled(false);

    switch (status) {
    case PLAY_STATUS_PLAYING:
        m_btnStart->setEnabled(true);
        m_btnStart->setChecked(true);
        m_btnStop->setEnabled(true);
        m_btnSnapshot->setEnabled(true);
        m_actionSnapshot->setEnabled(true);
        m_btnBack->setEnabled(true);
        m_btnForward->setEnabled(true);
        // Resuming keeps the row that playback started with.
        if (m_currentIndex < 0) {
            m_currentIndex = m_requestedRow >= 0 ? m_requestedRow : listCurrentRow();
            m_playingItem =
                m_currentIndex >= 0 ? VideoInfoManager::instance()->item(m_currentIndex) : nullptr;
        }
        break;
    case PLAY_STATUS_PAUSED:
        m_btnStart->setEnabled(true);
        m_btnStart->setChecked(false);
        m_btnStop->setEnabled(true);
        m_btnBack->setEnabled(true);
        m_btnForward->setEnabled(true);
        break;
    case PLAY_STATUS_STOPPED:
        m_btnStart->setChecked(false);
        m_btnStart->setEnabled(listCurrentRow() >= 0);
        m_btnStop->setEnabled(false);
        m_currentIndex = -1;
        m_playingItem = nullptr;
        m_sliderPlayProgress->setValue(0);
        m_lbTime->setText(TimeText::fromMs(qint64(0)));
        break;
    default:
        m_btnStart->setChecked(false);
        m_btnStart->setEnabled(false);
        m_btnStop->setEnabled(false);
        break;
    }
}

int VideoPlayerWidget::rowOfPlayingItem() const
{
    const VideoInfoManager *registry = VideoInfoManager::instance();
    for (int row = 0; row < registry->count(); ++row)
        if (registry->item(row) == m_playingItem)
            return row;
    return -1;
}

void VideoPlayerWidget::onVideoRemoved(int index)
{
    const int status = m_player->GetPlayStatus();
    qCDebug(lcGuiPlayer, "status = [%d], index = [%d], currentIndex = [%d]", status, index, m_currentIndex);
    if (status == PLAY_STATUS_STOPPED || m_currentIndex < 0)
        return;
    bool playingRowGone = false;
    if (m_playingItem) {
        // Rows before the playing one shift it; follow the record itself.
        const int row = rowOfPlayingItem();
        playingRowGone = row < 0;
        if (!playingRowGone)
            m_currentIndex = row;
    } else {
        playingRowGone = index == m_currentIndex;
        if (index < m_currentIndex)
            --m_currentIndex;
    }
    if (playingRowGone)
        stopPlayback();
}

void VideoPlayerWidget::OnPlayerDestroy(int reason)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, reason] { OnPlayerDestroy(reason); }, Qt::QueuedConnection);
        return;
    }
    if (m_stopping || CffmpegPlayer::getWndID() != screenWindowId())
        return;
    m_player->Stop();
    m_playTimer->stop();
    emit playStatusChanged(PLAY_STATUS_STOPPED);
}

bool VideoPlayerWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (auto *button = qobject_cast<QPushButton *>(watched); button && button->graphicsEffect())
            button->graphicsEffect()->setEnabled(!button->isEnabled());
    }
    return QWidget::eventFilter(watched, event);
}

QString VideoPlayerWidget::snapshotPath(const QString &dir, const QString &openedFile, const QString &format)
{
    return SnapshotNames::nextFree(dir, openedFile, format);
}

QString VideoPlayerWidget::takeSnapshot(QString *error)
{
    CffmpegPlayer *player = m_player;
    if (player->GetPlayStatus() != PLAY_STATUS_PLAYING)
        return QString();
    VideoUserConfig *config = VideoUserConfig::instance();
    const QString dir = config->snapshotDirectory();
    const QString shown = QDir::toNativeSeparators(dir);
    auto failWith = [error](const QString &why) {
        if (error)
            *error = why;
        return QString();
    };
    // A fresh home may have no such folder yet; one that cannot be made or
    // written is said so, not skipped silently.
    if (!QDir().mkpath(dir))
        return failWith(tr("The snapshot folder \"%1\" cannot be created. Please choose another one "
                           "(More > Change Snapshot Folder).")
                            .arg(shown));
    if (!QFileInfo(dir).isWritable())
        return failWith(tr("The snapshot folder \"%1\" cannot be written. Please choose another one "
                           "(More > Change Snapshot Folder).")
                            .arg(shown));
    const bool bmp = config->snapshotFormat() == QLatin1String("bmp");
    const QString path = snapshotPath(dir, QString::fromLocal8Bit(player->GetOpenedFileName()),
                                      bmp ? QStringLiteral("bmp") : QStringLiteral("jpg"));
    if (!player->SnapImage(path.toLocal8Bit().constData(), bmp ? 1 : 2))
        return failWith(tr("The snapshot could not be saved as \"%1\".").arg(QDir::toNativeSeparators(path)));
    return path;
}

void VideoPlayerWidget::onSnapshot()
{
    QString why;
    if (takeSnapshot(&why).isEmpty() && !why.isEmpty())
        QMessageBox::information(window(), tr("Snapshot Failed"), why, QMessageBox::Ok);
}

void VideoPlayerWidget::onOpenSnapshotFolder()
{
    const QString dir = VideoUserConfig::instance()->snapshotDirectory();
    qCDebug(lcGuiPlayer, "snapshot directory = [%s]", qPrintable(dir));
    QDesktopServices::openUrl(QUrl::fromLocalFile(dir));
}

void VideoPlayerWidget::onChangeSnapshotFolder()
{
    VideoUserConfig *config = VideoUserConfig::instance();
    const QString dir = QFileDialog::getExistingDirectory(window(), QString(), config->snapshotDirectory(),
                                                          QFileDialog::ShowDirsOnly);
    if (!dir.isEmpty())
        config->setSnapshotDirectory(dir);
}

void VideoPlayerWidget::onSnapshotFormatJpeg()
{
    VideoUserConfig::instance()->setSnapshotFormat(QStringLiteral("jpg"));
}

void VideoPlayerWidget::onSnapshotFormatBmp()
{
    VideoUserConfig::instance()->setSnapshotFormat(QStringLiteral("bmp"));
}
