#include "gui/widgets/videolistpopupmenu.h"

#include "core/media/videoinfomanager.h"
#include "gui/app/eventhandler.h"
#include "gui/app/mainwindow.h"
#include "gui/widgets/videolistwidget.h"

VideoListPopupMenu::VideoListPopupMenu(MainWindow *mainWindow) : QMenu(mainWindow), m_mainWindow(mainWindow)
{
    CEventHandler *handler = mainWindow->eventHandler();
    m_actPlay = addAction(tr("Play"), this, &VideoListPopupMenu::onPopupMenuPlayTriggered);
    m_actClip = addAction(tr("Clip"), handler, &CEventHandler::onMenuEditTrim);
    m_actEditEffect = addAction(tr("Edit Effect"), handler, &CEventHandler::onMenuEditVideoEdit);
    m_actClearAll = addAction(tr("Clear All"), handler, &CEventHandler::onMenuEditClearAll);
    m_actFileInformation = addAction(tr("File Information"), handler, &CEventHandler::onMenuFileFileProperty);
    m_actMoveUp = addAction(tr("Move Up"), handler, &CEventHandler::onMenuVideoMoveUp);
    m_actMoveDown = addAction(tr("Move Down"), handler, &CEventHandler::onMenuVideoMoveDown);
    setStyleSheet(QStringLiteral("QMenu { background: #f6f8fc; border: 1px solid #2a4674; padding: 3px; }"
                                 "QMenu::item { padding: 4px 22px 4px 18px; color: #1d2c44; }"
                                 "QMenu::item:selected { background: #1C58A4; color: white; }"
                                 "QMenu::item:disabled { color: #9aa6b8; }"));
    if (VideoListWidget *list = mainWindow->listWidget())
        connect(list, &VideoListWidget::currentItemChanged, this,
                &VideoListPopupMenu::onVideoListSelectionChanged);
    onVideoListSelectionChanged(mainWindow->listWidget() ? mainWindow->listWidget()->currentRow() : -1);
}

void VideoListPopupMenu::setPopupRow(int row)
{
    m_popupRow = row;
}

void VideoListPopupMenu::onPopupMenuPlayTriggered()
{
    VideoListWidget *list = m_mainWindow->listWidget();
    VideoBasicInfo info;
    if (list && list->selectedBasicInfo(info))
        m_mainWindow->startPlay(info);
}

void VideoListPopupMenu::onVideoListSelectionChanged(int row)
{
    m_actMoveUp->setEnabled(false);
    m_actMoveDown->setEnabled(false);
    const bool hasRow = row >= 0;
    m_actPlay->setEnabled(hasRow);
    m_actFileInformation->setEnabled(hasRow);
    m_actClip->setEnabled(hasRow);
    if (hasRow) {
        m_actMoveUp->setEnabled(row > 0);
        m_actMoveDown->setEnabled(row < VideoInfoManager::instance()->count() - 1);
    }
    m_actEditEffect->setEnabled(true);
    m_actClearAll->setEnabled(true);
}
