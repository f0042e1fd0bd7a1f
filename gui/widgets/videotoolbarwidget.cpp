#include "gui/widgets/videotoolbarwidget.h"

#include "gui/player/videoplayerwidget.h"

#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "gui/widgets/videolistwidget.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>

VideoToolBarWidget::VideoToolBarWidget(VideoListWidget *list, QWidget *parent) : QWidget(parent), m_list(list)
{
    setStyleSheet(QStringLiteral("QPushButton { text-align: bottom; padding-bottom: 2px; color: #e8f0fb;"
                                 " font: 12px \"Arial\"; }"
                                 "QPushButton:disabled { color: #6f7f98; }"));

    btnAdd = makeButton(QStringLiteral("add"), tr("Add"), 81, 60);
    btnAdd->setStyleSheet(btnAdd->styleSheet() +
                          QStringLiteral("QPushButton { text-align: right bottom; padding-right: 5px; }"));
    btnMore = makeButton(QStringLiteral("more"), QString(), 18, 48);
    btnDownload = makeButton(QStringLiteral("download"), tr("Download"), 74, 60);
    btnDelete = makeButton(QStringLiteral("delete"), tr("Delete"), 74, 60);
    btnEffect = makeButton(QStringLiteral("effect"), tr("Effect"), 74, 60);
    btnClip = makeButton(QStringLiteral("clip"), tr("Clip"), 74, 60);
    btnMerge = makeButton(QStringLiteral("merge"), tr("Merge"), 74, 60, true);
    btnStart = makeButton(QStringLiteral("start"), tr("Start"), 74, 60);
    btnPause = makeButton(QStringLiteral("pause"), tr("Pause"), 74, 60);
    btnStop = makeButton(QStringLiteral("stop"), tr("Stop"), 74, 60);
    for (QPushButton *b : {btnDelete, btnEffect, btnClip, btnMerge, btnStart, btnPause, btnStop})
        b->setEnabled(false);
    btnAdd->setToolTip(tr("Add video or audio files to the list"));
    btnMore->setToolTip(tr("Add a folder, or a recently opened file"));
    btnDownload->setToolTip(tr("Capture the video a web page plays"));
    btnDelete->setToolTip(tr("Remove the selected files from the list"));
    btnEffect->setToolTip(tr("Edit the selected file: crop, effects, subtitles, watermark"));
    btnClip->setToolTip(tr("Cut sections out of the selected file"));
    btnMerge->setToolTip(tr("Join all files of the list into one output file"));
    btnStart->setToolTip(tr("Play the selected file in the preview"));
    btnPause->setToolTip(tr("Pause the preview"));
    btnStop->setToolTip(tr("Stop the preview"));

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(btnAdd);
    layout->addWidget(btnMore, 0, Qt::AlignVCenter);
    for (QPushButton *b : {btnDownload, btnDelete, btnEffect, btnClip, btnMerge, btnStart, btnPause, btnStop})
        layout->addWidget(b);
    layout->addStretch(1);

    // The Add pop-up: the two add commands, then the recent files.
    m_addMenu = new QMenu(this);
    m_addMenu->setStyleSheet(QStringLiteral(
        "QMenu { background: #f6f8fc; border: 1px solid #2a4674; padding: 3px 2px; font: 12px \"Arial\"; }"
        "QMenu::item { padding: 5px 22px 5px 16px; color: #1d2c44; }"
        "QMenu::item:selected { background: #1C58A4; color: white; }"
        "QMenu::separator { height: 1px; background: #cbd5e3; margin: 4px 8px; }"));
    m_addMenu->addAction(tr("Add Files..."), this, &VideoToolBarWidget::addFilesRequested);
    m_addMenu->addAction(tr("Add Folder..."), this, &VideoToolBarWidget::addFolderRequested);
    m_recentSeparator = m_addMenu->addSeparator();
    m_recentSeparator->setVisible(false);
    for (int i = 0; i < kRecentActions; ++i) {
        QAction *recent = m_addMenu->addAction(QString(), this, &VideoToolBarWidget::onRecentFile);
        recent->setVisible(false);
        m_recentActions << recent;
    }

    connect(btnAdd, &QPushButton::clicked, this, &VideoToolBarWidget::addFilesRequested);
    connect(btnMore, &QPushButton::clicked, this, &VideoToolBarWidget::onMenuAdd);
    connect(btnDownload, &QPushButton::clicked, this, &VideoToolBarWidget::downloadRequested);
    connect(btnDelete, &QPushButton::clicked, this, &VideoToolBarWidget::removeRequested);
    connect(btnEffect, &QPushButton::clicked, this, &VideoToolBarWidget::editRequested);
    connect(btnClip, &QPushButton::clicked, this, &VideoToolBarWidget::clipRequested);
    connect(btnMerge, &QPushButton::clicked, this, &VideoToolBarWidget::mergeToggled);

    if (list) {
        connect(list, &VideoListWidget::currentItemChanged, this,
                &VideoToolBarWidget::onVideoListCurrentItemChanged);
        connect(list, &VideoListWidget::selectionChanged, this,
                &VideoToolBarWidget::onVideoListSelectionChanged);
    }
    VideoInfoManager *registry = VideoInfoManager::instance();
    connect(registry, &VideoInfoManager::videoCountChanged, this, &VideoToolBarWidget::onVideoCountChanged);
    connect(registry, &VideoInfoManager::videoFileCountChanged, this,
            &VideoToolBarWidget::onVideoFileCountChanged);
    VideoUserConfig *config = VideoUserConfig::instance();
    connect(config, &VideoUserConfig::mergeStatusChanged, this, &VideoToolBarWidget::onMergeStatusChanged);
    btnMerge->setEnabled(registry->count() >= 2);
    btnMerge->setChecked(config->isMerge());
    onVideoFileCountChanged(registry->videoFileCount());
}

QPushButton *VideoToolBarWidget::makeButton(const QString &image, const QString &text, int width, int height,
                                            bool checkable)
{
    auto *button = new QPushButton(text, this);
    button->setFixedSize(width, height);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCheckable(checkable);
    const QString base = QStringLiteral(":/images/mainwindow/toolbar/") + image;
    QString style = QStringLiteral("QPushButton { border-image: url(%1_normal.png); }"
                                   "QPushButton:hover { border-image: url(%1_hover.png); }"
                                   "QPushButton:pressed { border-image: url(%1_pressed.png); }"
                                   "QPushButton:disabled { border-image: url(%1_disabled.png); }")
                        .arg(base);
    if (checkable) {
        style += QStringLiteral("QPushButton:checked { border-image: url(%1_checked_normal.png); }"
                                "QPushButton:checked:hover { border-image: url(%1_checked_hover.png); }"
                                "QPushButton:checked:pressed { border-image: url(%1_checked_pressed.png); }"
                                "QPushButton:checked:disabled { border-image: url(%1_disabled.png); }")
                     .arg(base);
    }
    button->setStyleSheet(style);
    return button;
}

void VideoToolBarWidget::attachPlayer(VideoPlayerWidget *player)
{
    if (!player)
        return;
    connect(btnStart, &QPushButton::clicked, player, &VideoPlayerWidget::onBtnStartClick);
    connect(btnPause, &QPushButton::clicked, player, &VideoPlayerWidget::onBtnPauseClick);
    connect(btnStop, &QPushButton::clicked, player, &VideoPlayerWidget::onBtnStopClick);
    connect(player, &VideoPlayerWidget::playStatusChanged, this, &VideoToolBarWidget::onPlayStatusChanged);
}

void VideoToolBarWidget::onVideoListCurrentItemChanged(int row)
{
    btnDelete->setEnabled(row != -1);
    if (row == -1) {
        if (btnStart->isEnabled() && m_playStatus != PLAY_STATUS_PAUSED)
            btnStart->setEnabled(false);
    } else if (!btnStart->isEnabled() && !btnPause->isEnabled() && !btnStop->isEnabled()) {
        btnStart->setEnabled(true);
    }
}

void VideoToolBarWidget::onVideoCountChanged(int count)
{
    btnMerge->setEnabled(count >= 2);
    if (count < 2) {
        VideoUserConfig *config = VideoUserConfig::instance();
        if (config->isMerge())
            config->setMerge(false); // unchecks both merge entries through mergeStatusChanged
    }
}

void VideoToolBarWidget::onVideoFileCountChanged(int count)
{
    btnEffect->setEnabled(count > 0);
}

void VideoToolBarWidget::onVideoListSelectionChanged(QList<int> rows)
{
    btnClip->setEnabled(rows.size() == 1);
}

void VideoToolBarWidget::onPlayStatusChanged(int status)
{
    m_playStatus = status;
    switch (status) {
    case PLAY_STATUS_PLAYING:
        btnStart->setEnabled(false);
        btnPause->setEnabled(true);
        btnStop->setEnabled(true);
        break;
    case PLAY_STATUS_PAUSED:
        btnStart->setEnabled(true);
        btnPause->setEnabled(false);
        btnStop->setEnabled(true);
        break;
    case PLAY_STATUS_STOPPED: {
        btnStart->setEnabled(m_list && m_list->currentRow() >= 0);
        btnPause->setEnabled(false);
        btnStop->setEnabled(false);
        break;
    }
    default:
        btnStart->setEnabled(false);
        btnPause->setEnabled(false);
        btnStop->setEnabled(false);
        break;
    }
}

void VideoToolBarWidget::onMergeStatusChanged(bool merge)
{
    btnMerge->setChecked(merge);
}

void VideoToolBarWidget::prepareAddMenu()
{
    m_recentSeparator->setVisible(false);
    for (QAction *recent : m_recentActions)
        recent->setVisible(false);
    const QStringList files = VideoUserConfig::instance()->recentFiles();
    if (!files.isEmpty())
        m_recentSeparator->setVisible(true);
    for (int i = 0; i < files.size() && i < m_recentActions.size(); ++i) {
        QAction *recent = m_recentActions.at(i);
        recent->setText(files.at(i));
        recent->setData(files.at(i));
        recent->setVisible(true);
    }
}

void VideoToolBarWidget::onMenuAdd()
{
    prepareAddMenu();
    m_addMenu->popup(btnMore->mapToGlobal(QPoint(0, 0)) + QPoint(0, 5));
}

void VideoToolBarWidget::onRecentFile()
{
    auto *recent = qobject_cast<QAction *>(sender());
    if (!recent)
        return;
    const QString path = recent->data().toString();
    if (!path.isEmpty())
        VideoInfoManager::instance()->addFiles(QStringList{path});
}
