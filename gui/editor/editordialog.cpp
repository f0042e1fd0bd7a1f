#include "gui/editor/editordialog.h"

#include "core/config/videouserconfig.h"
#include "core/edit/cropselection.h"
#include "core/edit/videoeditlistmodel.h"
#include "core/media/videoinfomanager.h"
#include "core/profiles/videoprofileformatuserconfig.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/common/guilog.h"
#include "gui/common/widgetenhancer.h"
#include "gui/editor/editorstyle.h"
#include "gui/editor/videoedittabcrop.h"
#include "gui/editor/videoedittabeffect.h"
#include "gui/editor/videoedittabsubtitle.h"
#include "gui/editor/videoedittabwatermark.h"
#include "gui/editor/videoselector.h"
#include "gui/player/seekslider.h"
#include "gui/player/videoplayerscreen.h"

#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

const QSize kScreenSize(576, 324);

} // namespace

EditorDialog::EditorDialog(CffmpegPlayer *player, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_player(player)
{
    setWindowTitle(tr("Edit Video"));
    setStyleSheet(EditorStyle::dialogStyle());
    if (WidgetEnhancer *enhancer = WidgetEnhancer::create(this, true, false))
        enhancer->loadSkin(QStringLiteral(":/images/dialogs/video_edit_bkgnd.png"), 32, 3, 3, 3);

    m_playTimer = new QTimer(this);
    m_playTimer->setInterval(PlayTimerInterval);
    m_playTimer->setSingleShot(false);

    // The preview starts clean: no filters left from another owner.
    m_player->resetFilters();

    buildForm();

    m_selector = std::make_unique<VideoSelector>();
    connect(m_selector.get(), &VideoSelector::selectionChanged, this, &EditorDialog::onCropSelectionChanged);
    connect(m_selector.get(), &VideoSelector::screenRectRequired, this,
            &EditorDialog::onSelectorScreenRectRequired);
    m_selector->attach(widgetPlayer);

    connect(btnStart, &QPushButton::clicked, this, &EditorDialog::onBtnStartClicked);
    connect(btnStop, &QPushButton::clicked, this, &EditorDialog::onBtnStopClicked);
    connect(btnSound, &QPushButton::clicked, this, &EditorDialog::onBtnSoundClicked);
    connect(btnMirrorHor, &QPushButton::clicked, this, &EditorDialog::onBtnMirrorHorClicked);
    connect(btnMirroVer, &QPushButton::clicked, this, &EditorDialog::onBtnMirrorVerClicked);
    connect(btnWinClose, &QPushButton::clicked, this, &EditorDialog::onBtnWinCloseClicked);
    connect(sliderPlayer, &QSlider::sliderMoved, this, &EditorDialog::onSliderPlayProgressMoved);
    connect(sliderSound, &QSlider::valueChanged, this, &EditorDialog::onSliderVolumnMoved);
    connect(m_playTimer, &QTimer::timeout, this, &EditorDialog::onPlayTimerTimeout);
    connect(this, &EditorDialog::playStatusChanged, this, &EditorDialog::onPlayStatusChanged);
    connect(listWidget->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &EditorDialog::onVideoSelectionChanged);
    connect(m_tabCrop->spinLeft(), &QSpinBox::valueChanged, this, &EditorDialog::onSpinLeftChanged);
    connect(m_tabCrop->spinTop(), &QSpinBox::valueChanged, this, &EditorDialog::onSpinTopChanged);
    connect(m_tabCrop->spinWidth(), &QSpinBox::valueChanged, this, &EditorDialog::onSpinWidthChanged);
    connect(m_tabCrop->spinHeight(), &QSpinBox::valueChanged, this, &EditorDialog::onSpinHeightChanged);
    addCropKeys();
}

EditorDialog::~EditorDialog()
{
    // Give the player back: stopped, without the editor's filters, sound as
    // it was, and no window until its next owner starts.
    m_playTimer->stop();
    m_player->Stop();
    emit playStatusChanged(PLAY_STATUS_STOPPED);
    if (btnSound->isChecked())
        m_player->SetSilent();
    m_player->resetFilters();
    CffmpegPlayer::setWndID(0);
}

void EditorDialog::buildForm()
{
    m_lbCaption = new QLabel(tr("Edit Video"), this);
    m_lbCaption->setObjectName(QStringLiteral("lbCaption"));
    btnWinClose = EditorStyle::imageButton(this, "btnWinClose", 0, tr("Close"), false);
    btnWinClose->setFixedSize(27, 20);

    m_model = new VideoEditListModel(VideoInfoManager::instance(), this);
    listWidget = new QListView(this);
    listWidget->setObjectName(QStringLiteral("listWidget"));
    listWidget->setModel(m_model);
    listWidget->setViewMode(QListView::IconMode);
    listWidget->setIconSize(QSize(100, 100));
    listWidget->setFlow(QListView::TopToBottom);
    listWidget->setWrapping(false);
    listWidget->setMovement(QListView::Static);
    listWidget->setResizeMode(QListView::Adjust);
    listWidget->setSpacing(4);
    listWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    listWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listWidget->setFixedWidth(130);

    // The screen and, laid over it by the selector, the crop handles.
    auto *screenBox = new QWidget(this);
    screenBox->setObjectName(QStringLiteral("screenBox"));
    screenBox->setFixedSize(kScreenSize);
    widgetPlayer = new VideoPlayerScreen(screenBox);
    widgetPlayer->setObjectName(QStringLiteral("widgetPlayer"));
    widgetPlayer->setGeometry(QRect(QPoint(0, 0), kScreenSize));
    widgetPlayer->setFocusPolicy(Qt::ClickFocus);

    sliderPlayer = new SeekSlider(Qt::Horizontal, this);
    sliderPlayer->setObjectName(QStringLiteral("sliderPlayer"));

    btnStart = EditorStyle::imageButton(this, "btnStart", 29, tr("Play"), true);
    btnStop = EditorStyle::imageButton(this, "btnStop", 29, tr("Stop"), false);
    btnSound = EditorStyle::imageButton(this, "btnSound", 24, tr("Mute"), true);
    sliderSound = new QSlider(Qt::Horizontal, this); // the default range, 0 to 99
    sliderSound->setObjectName(QStringLiteral("sliderSound"));
    sliderSound->setFixedWidth(90);
    sliderSound->setFocusPolicy(Qt::NoFocus);
    auto *lbMirror = new QLabel(tr("Mirror:"), this);
    lbMirror->setObjectName(QStringLiteral("lbMirror"));
    btnMirrorHor = EditorStyle::imageButton(this, "btnMirrorHor", 24, tr("Mirror left to right"), false);
    btnMirroVer = EditorStyle::imageButton(this, "btnMirroVer", 24, tr("Mirror top to bottom"), false);

    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->clear();
    m_tabEffect = new VideoEditTabEffect(tabWidget);
    m_tabEffect->setPlayer(m_player);
    m_tabCrop = new VideoEditTabCrop(this, tabWidget);
    m_tabSubtitle = new VideoEditTabSubtitle(this, tabWidget);
    m_tabWatermark = new VideoEditTabWatermark(this, tabWidget);
    tabWidget->addTab(m_tabEffect, tr("Effect"));
    tabWidget->addTab(m_tabCrop, tr("Crop"));
    tabWidget->addTab(m_tabSubtitle, tr("Subtitle"));
    tabWidget->addTab(m_tabWatermark, tr("Watermark"));
    tabWidget->setFixedHeight(262);

    auto *caption = new QHBoxLayout;
    caption->setContentsMargins(8, 0, 0, 0);
    caption->addWidget(m_lbCaption);
    caption->addStretch(1);
    caption->addWidget(btnWinClose, 0, Qt::AlignTop);

    auto *controls = new QHBoxLayout;
    controls->setSpacing(8);
    controls->addWidget(btnStart);
    controls->addWidget(btnStop);
    controls->addSpacing(10);
    controls->addWidget(btnSound);
    controls->addWidget(sliderSound);
    controls->addStretch(1);
    controls->addWidget(lbMirror);
    controls->addWidget(btnMirrorHor);
    controls->addWidget(btnMirroVer);

    auto *playerColumn = new QVBoxLayout;
    playerColumn->setSpacing(4);
    playerColumn->addWidget(screenBox);
    playerColumn->addWidget(sliderPlayer);
    playerColumn->addLayout(controls);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(listWidget);
    middle->addLayout(playerColumn, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 4, 7, 8);
    layout->setSpacing(0);
    layout->addLayout(caption);
    layout->addSpacing(12);
    layout->addLayout(middle);
    layout->addSpacing(8);
    layout->addWidget(tabWidget);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EditorDialog::addCropKeys()
{
    // The crop tab's tip: Ctrl+Arrow moves the area, Shift+Arrow resizes it.
    struct Key {
        QKeyCombination keys;
        int dx, dy;
        bool resize;
    };
    const Key keys[] = {
        {Qt::CTRL | Qt::Key_Left, -1, 0, false}, {Qt::CTRL | Qt::Key_Right, 1, 0, false},
        {Qt::CTRL | Qt::Key_Up, 0, -1, false},   {Qt::CTRL | Qt::Key_Down, 0, 1, false},
        {Qt::SHIFT | Qt::Key_Left, -1, 0, true}, {Qt::SHIFT | Qt::Key_Right, 1, 0, true},
        {Qt::SHIFT | Qt::Key_Up, 0, -1, true},   {Qt::SHIFT | Qt::Key_Down, 0, 1, true},
    };
    for (const Key &k : keys) {
        auto *shortcut = new QShortcut(QKeySequence(k.keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, k] {
            if (k.resize)
                m_selector->resizeBy(k.dx, k.dy);
            else
                m_selector->moveBy(k.dx, k.dy);
        });
    }
}

int EditorDialog::startRow(int listRow)
{
    VideoInfoManager *registry = VideoInfoManager::instance();
    const int row = listRow < 0 ? 0 : listRow;
    const VideoInfo *record = registry->item(row);
    if (!record || record->isAudio)
        return 0;
    // The editor lists only the files with video: rows are counted among them.
    return std::max(0, registry->videoFileIndex(row));
}

void EditorDialog::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    listWidget->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    listWidget->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

VideoInfo *EditorDialog::currentRecord() const
{
    const QModelIndexList rows = listWidget->selectionModel()->selectedIndexes();
    const int row = rows.isEmpty() ? 0 : rows.first().row();
    return VideoInfoManager::instance()->itemOfVideoFile(row);
}

void EditorDialog::setFilterTarget(PreviewFilterTarget *target)
{
    m_filters = target;
    m_tabEffect->setFilterTarget(target);
    m_tabSubtitle->setFilterTarget(target);
    m_tabWatermark->setFilterTarget(target);
}

PreviewFilterTarget *EditorDialog::filterTarget() const
{
    if (m_filters)
        return m_filters;
    return m_player;
}

void EditorDialog::showMessage(const QString &title, const QString &text)
{
    if (m_messageSink)
        m_messageSink(title, text);
    else
        QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}

int64_t EditorDialog::screenWindowId() const
{
    return static_cast<int64_t>(widgetPlayer->winId());
}

QRect EditorDialog::showRect() const
{
    int x = 0, y = 0, w = 0, h = 0;
    m_player->GetShowRect(x, y, w, h);
    return QRect(QPoint(x, y), QPoint(x + w - 1, y + h - 1));
}

void EditorDialog::sendMirror(const VideoInfo *record)
{
    if (!record)
        return;
    filterTarget()->editFilters([record](FilterSettings &f) {
        f.hFlip = record->hFlip;
        f.vFlip = record->vFlip;
    });
}

void EditorDialog::onBtnStartClicked()
{
    switch (m_player->GetPlayStatus()) {
    case PLAY_STATUS_PLAYING:
        m_player->Pause();
        emit playStatusChanged(PLAY_STATUS_PAUSED);
        btnStart->setChecked(false);
        break;
    case PLAY_STATUS_PAUSED:
        m_player->Play();
        emit playStatusChanged(PLAY_STATUS_PLAYING);
        btnStart->setChecked(true);
        break;
    default: {
        if (const VideoInfo *record = currentRecord()) {
            VideoBasicInfo info = record->basicInfo();
            startPlayFile(info);
            VideoUserConfig *config = VideoUserConfig::instance();
            const VideoProfileFormatUserConfig profile = config->getCurrentProfile();
            const QSize size = profile.isValid() ? profile.getResolution() : QSize();
            if (size.width() > 0 && size.height() > 0)
                m_player->SetZoomFilter(0, size.width(), size.height());
        }
        btnStart->setChecked(true);
        break;
    }
    }
}

void EditorDialog::startPlayFile(VideoBasicInfo &fileInfo)
{
    const QByteArray path = fileInfo.filename.toLocal8Bit();
    if (m_player->GetOpenedFileName() != path.toStdString())
        m_player->CloseFile();
    CffmpegPlayer::setWndID(screenWindowId());
    const int status = m_player->GetPlayStatus();
    if (status != PLAY_STATUS_STOPPED && status != PLAY_STATUS_NONE)
        return;
    if (!m_player->OpenFile(path.constData())) {
        showMessage(tr("warnning"), tr("selected video file is not a valid video file."));
        return;
    }
    sliderPlayer->setRange(0, std::max(0, fileInfo.msEnd - fileInfo.msStart));
    m_playTimer->setInterval(PlayTimerInterval);
    m_playTimer->setSingleShot(false);
    m_playTimer->start();
    m_player->SetInitSize(widgetPlayer->width(), widgetPlayer->height());
    m_player->SetStartEndPos(fileInfo.msStart, fileInfo.msEnd);
    m_player->Play();
    m_player->SetVolumn(sliderSound->value());
    emit playStatusChanged(PLAY_STATUS_PLAYING);
}

void EditorDialog::pausePlay()
{
    if (m_player->GetPlayStatus() == PLAY_STATUS_PLAYING) {
        m_player->Pause();
        emit playStatusChanged(PLAY_STATUS_PAUSED);
    }
}

void EditorDialog::resumePlay()
{
    if (m_player->GetPlayStatus() == PLAY_STATUS_PAUSED) {
        m_player->Play();
        emit playStatusChanged(PLAY_STATUS_PLAYING);
    }
}

void EditorDialog::stopPlay()
{
    m_player->Stop();
    m_playTimer->stop();
    emit playStatusChanged(PLAY_STATUS_STOPPED);
}

void EditorDialog::onBtnStopClicked()
{
    stopPlay();
}

void EditorDialog::onBtnSoundClicked()
{
    sliderSound->setEnabled(!btnSound->isChecked());
    m_player->SetSilent();
}

void EditorDialog::onSliderPlayProgressMoved(int val)
{
    m_player->Seek(val);
}

void EditorDialog::onSliderVolumnMoved(int val)
{
    m_player->SetVolumn(val);
}

void EditorDialog::onPlayTimerTimeout()
{
    // The picture's place settles once the first frames are filtered.
    m_selector->setScreenRect(showRect());
    const double position = m_player->GetCurrentPosition();
    if (!sliderPlayer->isSliderDown())
        sliderPlayer->setValue(int(std::clamp(position, 0.0, double(std::numeric_limits<int>::max()))));
    const int status = m_player->GetPlayStatus();
    if (status == PLAY_STATUS_STOPPED || status == PLAY_STATUS_NONE) {
        // The end of the section: the preview plays it again.
        emit playStatusChanged(PLAY_STATUS_STOPPED);
        onBtnStartClicked();
    }
}

void EditorDialog::onCropSelectionChanged(const QRect &rect)
{
    m_cropGuard = true;
    m_tabCrop->spinLeft()->setValue(rect.left());
    m_tabCrop->spinTop()->setValue(rect.top());
    m_tabCrop->spinWidth()->setValue(rect.right() - rect.left() + 1);
    m_tabCrop->spinHeight()->setValue(rect.bottom() - rect.top() + 1);
    m_cropGuard = false;
}

void EditorDialog::matchSpinsToSelection()
{
    // A typed value stands as long as the area on screen agrees with it;
    // where the selector had to change it (the frame's edge, the smallest
    // size, the ratio lock), the boxes show what is really selected.
    const std::optional<QRect> video = m_selector->geometry().videoRect();
    if (!video)
        return;
    const CropSelection &g = m_selector->geometry();
    const int vw = g.videoSize().width(), vh = g.videoSize().height();
    const int pw = g.picture().width(), ph = g.picture().height();
    m_cropGuard = true;
    const auto match = [](QSpinBox *spin, int mapped, int videoLength, int pictureLength) {
        if (!CropSelection::agrees(spin->value(), mapped, videoLength, pictureLength))
            spin->setValue(mapped);
    };
    match(m_tabCrop->spinLeft(), video->left(), vw, pw);
    match(m_tabCrop->spinTop(), video->top(), vh, ph);
    match(m_tabCrop->spinWidth(), video->width(), vw, pw);
    match(m_tabCrop->spinHeight(), video->height(), vh, ph);
    m_cropGuard = false;
}

void EditorDialog::onSpinLeftChanged(int value)
{
    if (m_cropGuard)
        return;
    m_selector->setLeft(value);
    matchSpinsToSelection();
}

void EditorDialog::onSpinTopChanged(int value)
{
    if (m_cropGuard)
        return;
    m_selector->setTop(value);
    matchSpinsToSelection();
}

void EditorDialog::onSpinWidthChanged(int value)
{
    if (m_cropGuard)
        return;
    m_selector->setWidth(value);
    matchSpinsToSelection();
}

void EditorDialog::onSpinHeightChanged(int value)
{
    if (m_cropGuard)
        return;
    m_selector->setHeight(value);
    matchSpinsToSelection();
}

void EditorDialog::onVideoSelectionChanged(const QItemSelection &selected, const QItemSelection &)
{
    if (selected.isEmpty() || selected.indexes().isEmpty())
        return;
    VideoInfo *record = VideoInfoManager::instance()->itemOfVideoFile(selected.indexes().first().row());
    if (!record)
        return;
    m_selector->setVideoSize(QSize(record->width, record->height));
    m_player->Stop();
    m_playTimer->stop();
    emit playStatusChanged(PLAY_STATUS_STOPPED);
    CffmpegPlayer::setWndID(screenWindowId());
    // Nothing of the previous file's preview stays; the mirror and the tabs
    // below send this file's.
    filterTarget()->setFilters(FilterSettings());
    sendMirror(record);
    // The tabs take the new record before playback starts, so that the
    // filters sent when it starts are this file's.
    m_tabEffect->setRecord(record);
    m_tabCrop->setRecord(record);
    m_tabSubtitle->setRecord(record);
    m_tabWatermark->setRecord(record);
    onBtnStartClicked();
    const QRect picture = showRect();
    qCDebug(lcEditor, "show rect = (%d,%d,%d,%d)", picture.left(), picture.top(), picture.right(),
            picture.bottom());
    m_selector->setScreenRect(picture);
}

void EditorDialog::onSelectorScreenRectRequired()
{
    m_selector->setScreenRect(showRect());
}

void EditorDialog::onPlayStatusChanged(int status)
{
    switch (status) {
    case PLAY_STATUS_PLAYING:
        m_selector->setScreenRect(showRect());
        m_selector->setScreenRect(showRect());
        m_tabEffect->applyPreview();
        m_tabSubtitle->SetFilter();
        m_tabWatermark->SetFilter();
        sendMirror(currentRecord());
        btnStart->setChecked(true);
        break;
    case PLAY_STATUS_STOPPED:
        btnStart->setChecked(false);
        m_playTimer->stop();
        sliderPlayer->setValue(0);
        break;
    default:
        btnStart->setChecked(false);
        break;
    }
}

void EditorDialog::onBtnMirrorHorClicked()
{
    VideoInfo *record = currentRecord();
    if (!record)
        return;
    const bool old = record->hFlip;
    record->hFlip = !old;
    record->flipChanged = true;
    filterTarget()->editFilters([old](FilterSettings &f) { f.hFlip = !old; });
}

void EditorDialog::onBtnMirrorVerClicked()
{
    VideoInfo *record = currentRecord();
    if (!record)
        return;
    const bool old = record->vFlip;
    record->vFlip = !old;
    record->flipChanged = true;
    filterTarget()->editFilters([old](FilterSettings &f) { f.vFlip = !old; });
}

void EditorDialog::onBtnWinCloseClicked()
{
    // Ends the modal run; the owner deletes the dialog, which gives the
    // player back.
    reject();
}

bool EditorDialog::event(QEvent *event)
{
    const bool result = QDialog::event(event);
    if (event->type() == QEvent::UpdateRequest && widgetPlayer)
        widgetPlayer->refreshFrame();
    return result;
}

void EditorDialog::showEvent(QShowEvent *event)
{
    sliderSound->setValue(sliderSound->maximum());
    QDialog::showEvent(event);
}
