#include "gui/widgets/videolistpopupmenu.h"

#include "core/media/videoinfomanager.h"
#include "gui/widgets/videolistwidget.h"

VideoListPopupMenu::VideoListPopupMenu(VideoListWidget *list, QWidget *parent) : QMenu(parent)
{
    m_actPlay = addAction(tr("Play"), this, &VideoListPopupMenu::onPopupMenuPlayTriggered);
    m_actClip = addAction(tr("Clip"), this, &VideoListPopupMenu::clipRequested);
    m_actEditEffect = addAction(tr("Edit Effect"), this, &VideoListPopupMenu::editEffectRequested);
    m_actClearAll = addAction(tr("Clear All"), this, &VideoListPopupMenu::clearAllRequested);
    m_actFileInformation =
        addAction(tr("File Information"), this, &VideoListPopupMenu::fileInformationRequested);
    m_actMoveUp = addAction(tr("Move Up"), this, &VideoListPopupMenu::moveUpRequested);
    m_actMoveDown = addAction(tr("Move Down"), this, &VideoListPopupMenu::moveDownRequested);
    setStyleSheet(QStringLiteral("QMenu { background: #f6f8fc; border: 1px solid #2a4674; padding: 3px; }"
                                 "QMenu::item { padding: 4px 22px 4px 18px; color: #1d2c44; }"
                                 "QMenu::item:selected { background: #1C58A4; color: white; }"
                                 "QMenu::item:disabled { color: #9aa6b8; }"));
    if (list)
        connect(list, &VideoListWidget::currentItemChanged, this,
                &VideoListPopupMenu::onVideoListSelectionChanged);
    onVideoListSelectionChanged(list ? list->currentRow() : -1);
}

void VideoListPopupMenu::setPopupRow(int row)
{
    m_popupRow = row;
}

void VideoListPopupMenu::onPopupMenuPlayTriggered()
{
    emit playRequested();
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
