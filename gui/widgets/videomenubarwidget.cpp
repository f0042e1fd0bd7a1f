#include "gui/widgets/videomenubarwidget.h"

#include "gui/player/videoplayerwidget.h"

#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "gui/common/customizedmenu.h"
#include "gui/widgets/videolistwidget.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QIcon>

namespace {
const char *const kMenuBarStyle =
    "QMenuBar { background: transparent; color: #e6eefa; font: 12px \"Arial\"; }"
    "QMenuBar::item { background: transparent; padding: 3px 10px; border-radius: 3px; }"
    "QMenuBar::item:selected { background: rgba(255, 255, 255, 40); }"
    "QMenuBar::item:pressed { background: #1C58A4; }"
    "QMenu { background: #f6f8fc; border: 1px solid #2a4674; padding: 3px 2px; font: 12px \"Arial\"; }"
    "QMenu::item { padding: 5px 26px 5px 30px; color: #1d2c44; }"
    "QMenu::item:selected { background: #1C58A4; color: white; }"
    "QMenu::item:disabled { color: #9aa6b8; }"
    "QMenu::icon { padding-left: 8px; }"
    "QMenu::separator { height: 1px; background: #cbd5e3; margin: 4px 8px 4px 28px; }";

QIcon icon(const char *name)
{
    return QIcon(QStringLiteral(":/images/mainwindow/%1.png").arg(QLatin1String(name)));
}
} // namespace

VideoMenuBarWidget::VideoMenuBarWidget(VideoListWidget *list, QWidget *parent)
    : QMenuBar(parent), m_list(list)
{
    setStyleSheet(QString::fromLatin1(kMenuBarStyle));
    setNativeMenuBar(false);
    VideoUserConfig *config = VideoUserConfig::instance();

    // File.
    QMenu *file = addMenu(tr("File"));
    actAddFile = file->addAction(tr("Add File"), this, &VideoMenuBarWidget::addFileRequested);
    actDownload = file->addAction(icon("menu_file_download"), tr("Download Video"), this,
                                  &VideoMenuBarWidget::downloadRequested);
    actAddFolder = file->addAction(tr("Add Folder"), this, &VideoMenuBarWidget::addFolderRequested);
    actFileInformation =
        file->addAction(tr("File Information"), this, &VideoMenuBarWidget::fileInformationRequested);
    actFileInformation->setEnabled(false);
    file->addSeparator();
    actExit = file->addAction(icon("menu_file_exit"), tr("Exit"), this, &VideoMenuBarWidget::exitRequested);
    actExit->setShortcut(QKeySequence(Qt::Key_Escape));

    // Edit.
    auto *edit = new CustomizedMenu(tr("Edit"), this);
    addMenu(edit);
    actDuplicate = edit->addAction(icon("menu_edit_duplicate"), tr("Duplicate"), this,
                                   &VideoMenuBarWidget::duplicateRequested);
    actDuplicate->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
    actClip = edit->addAction(icon("menu_edit_trim"), tr("Clip"), this, &VideoMenuBarWidget::clipRequested);
    actVideoEdit = edit->addAction(icon("menu_edit_edit"), tr("Video Edit"), this,
                                   &VideoMenuBarWidget::videoEditRequested);
    edit->addSeparator();
    actRemove =
        edit->addAction(icon("menu_edit_delete"), tr("Remove"), this, &VideoMenuBarWidget::removeRequested);
    actRemove->setShortcut(QKeySequence(Qt::Key_Delete));
    actClearAll = edit->addAction(tr("Clear All"), this, &VideoMenuBarWidget::clearAllRequested);
    actRename = edit->addAction(tr("Rename"), this, &VideoMenuBarWidget::renameRequested);
    actRename->setShortcut(QKeySequence(Qt::Key_F2));
    edit->addSeparator();
    actMerge = edit->addAction(tr("Merge Into One File"));
    actMerge->setCheckable(true);
    connect(actMerge, &QAction::triggered, this, &VideoMenuBarWidget::mergeToggled);
    for (QAction *a : {actDuplicate, actClip, actVideoEdit, actRemove, actClearAll, actRename, actMerge})
        a->setEnabled(false);

    // Tools.
    QMenu *tools = addMenu(tr("Tools"));
    actSettings = tools->addAction(tr("Settings"), this, &VideoMenuBarWidget::settingsRequested);
    tools->addSeparator();
    actCustomizeProfile =
        tools->addAction(tr("Customize Profile"), this, &VideoMenuBarWidget::customizeProfileRequested);
    actOpenOutputDir =
        tools->addAction(tr("Open Output Directory"), this, &VideoMenuBarWidget::openOutputDirRequested);

    // Actions.
    auto *actions = new CustomizedMenu(tr("Actions"), this);
    addMenu(actions);
    actConvertAll = actions->addAction(tr("Convert All"), this, &VideoMenuBarWidget::convertAllRequested);
    actConvertAll->setEnabled(false);
    actions->addSeparator();
    actPlay = actions->addAction(icon("menu_action_play"), tr("Play"));
    actPause = actions->addAction(icon("menu_action_pause"), tr("Pause"));
    actStop = actions->addAction(icon("menu_action_stop"), tr("Stop"));
    for (QAction *a : {actPlay, actPause, actStop})
        a->setEnabled(false);
    QMenu *postTask = actions->addMenu(tr("Post Task Actions"));
    m_postTaskGroup = new QActionGroup(this);
    m_postTaskGroup->setExclusive(true);
    actDoNothing = postTask->addAction(tr("Do Nothing"), this, &VideoMenuBarWidget::onActDoNothing);
    actExitProgram = postTask->addAction(tr("Exit Program"), this, &VideoMenuBarWidget::onActExitApp);
    actShutdown = postTask->addAction(tr("Shutdown Computer"), this, &VideoMenuBarWidget::onActShutdownPC);
    for (QAction *a : {actDoNothing, actExitProgram, actShutdown}) {
        a->setCheckable(true);
        m_postTaskGroup->addAction(a);
    }
    switch (config->postTaskAction()) {
    case 1:
        actExitProgram->setChecked(true);
        break;
    case 2:
        actShutdown->setChecked(true);
        break;
    default:
        actDoNothing->setChecked(true);
        break;
    }

    // Help.
    auto *help = new CustomizedMenu(tr("Help"), this);
    addMenu(help);
    actOnlineHelp = help->addAction(tr("Online Help"), this, &VideoMenuBarWidget::onlineHelpRequested);
    actSupport = help->addAction(tr("Support"), this, &VideoMenuBarWidget::supportRequested);
    actAbout = help->addAction(tr("About"), this, &VideoMenuBarWidget::aboutRequested);
    actCheckUpdate = help->addAction(tr("Check Update"), this, &VideoMenuBarWidget::checkUpdateRequested);
    actProductPage = help->addAction(tr("Product Page"), this, &VideoMenuBarWidget::productPageRequested);

    // Followers.
    if (list) {
        connect(list, &VideoListWidget::currentItemChanged, this,
                &VideoMenuBarWidget::onVideoListCurrentItemChanged);
        connect(list, &VideoListWidget::selectionChanged, this,
                &VideoMenuBarWidget::onVideoListSelectionChanged);
    }
    VideoInfoManager *registry = VideoInfoManager::instance();
    connect(registry, &VideoInfoManager::videoCountChanged, this,
            &VideoMenuBarWidget::onVideoListItemCountChanged);
    connect(registry, &VideoInfoManager::videoFileCountChanged, this,
            &VideoMenuBarWidget::onVideoFileCountChanged);
    connect(config, &VideoUserConfig::mergeStatusChanged, this, &VideoMenuBarWidget::onMergeStatusChanged);
    // Start from the registry as it is (the window may be built over a non-empty list).
    onVideoListItemCountChanged(registry->count());
    onVideoFileCountChanged(registry->videoFileCount());
    actMerge->setChecked(config->isMerge());
}

void VideoMenuBarWidget::attachPlayer(VideoPlayerWidget *player)
{
    if (!player)
        return;
    connect(actPlay, &QAction::triggered, player, &VideoPlayerWidget::onBtnStartClick);
    connect(actPause, &QAction::triggered, player, &VideoPlayerWidget::onBtnPauseClick);
    connect(actStop, &QAction::triggered, player, &VideoPlayerWidget::onBtnStopClick);
    connect(player, &VideoPlayerWidget::playStatusChanged, this, &VideoMenuBarWidget::onPlayStatusChanged);
}

void VideoMenuBarWidget::onVideoListCurrentItemChanged(int row)
{
    if (row == -1) {
        for (QAction *a : {actFileInformation, actDuplicate, actRemove, actRename})
            a->setEnabled(false);
        if (actPlay->isEnabled() && m_playStatus != PLAY_STATUS_PAUSED)
            actPlay->setEnabled(false);
    } else {
        for (QAction *a : {actFileInformation, actDuplicate, actRemove, actRename})
            a->setEnabled(true);
        if (!actPlay->isEnabled() && !actPause->isEnabled() && !actStop->isEnabled())
            actPlay->setEnabled(true);
    }
}

void VideoMenuBarWidget::onConvertStatusChanged(bool running)
{
    m_converting = running;
    actConvertAll->setEnabled(!running && VideoInfoManager::instance()->count() > 0);
}

void VideoMenuBarWidget::onVideoListItemCountChanged(int count)
{
    actClearAll->setEnabled(count > 0);
    actConvertAll->setEnabled(!m_converting && count > 0);
    actMerge->setEnabled(count > 1);
}

void VideoMenuBarWidget::onVideoFileCountChanged(int count)
{
    actVideoEdit->setEnabled(count > 0);
}

void VideoMenuBarWidget::onVideoListSelectionChanged(QList<int> rows)
{
    actClip->setEnabled(rows.size() == 1);
}

void VideoMenuBarWidget::onMergeStatusChanged(bool merge)
{
    actMerge->setChecked(merge);
}

void VideoMenuBarWidget::onPlayStatusChanged(int status)
{
    m_playStatus = status;
    switch (status) {
    case PLAY_STATUS_PLAYING:
        actPlay->setEnabled(false);
        actPause->setEnabled(true);
        actStop->setEnabled(true);
        break;
    case PLAY_STATUS_PAUSED:
        actPlay->setEnabled(true);
        actPause->setEnabled(false);
        actStop->setEnabled(true);
        break;
    case PLAY_STATUS_STOPPED: {
        actPlay->setEnabled(m_list && m_list->currentRow() >= 0);
        actPause->setEnabled(false);
        actStop->setEnabled(false);
        break;
    }
    default:
        actPlay->setEnabled(false);
        actPause->setEnabled(false);
        actStop->setEnabled(false);
        break;
    }
}

void VideoMenuBarWidget::onActDoNothing()
{
    VideoUserConfig::instance()->setPostTaskAction(0);
}

void VideoMenuBarWidget::onActExitApp()
{
    VideoUserConfig::instance()->setPostTaskAction(1);
}

void VideoMenuBarWidget::onActShutdownPC()
{
    VideoUserConfig::instance()->setPostTaskAction(2);
}
