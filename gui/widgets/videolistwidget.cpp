#include "gui/widgets/videolistwidget.h"

#include "core/media/videoinfomanager.h"
#include "core/media/videolistmodel.h"
#include "gui/widgets/videolistitemdelegate.h"
#include "gui/widgets/welcomewidget.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const char *const kListStyle =
    "QTableView { background-image: url(:/images/mainwindow/video_list_bkgnd.png);"
    " color: #1d2c44; border: 1px solid #2a4674; selection-background-color: #1C58A4;"
    " selection-color: white; }"
    "QTableView::item:selected { background-color: #1C58A4; color: white; }"
    "QHeaderView::section { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    " stop:0 #616161, stop:0.5 #505050, stop:0.6 #434343, stop:1 #656565);"
    " color: white; padding-left: 4px; border: 1px solid #6c6c6c; border-radius: 3px;"
    " height: 22px; }";
} // namespace

VideoListWidget::VideoListWidget(QWidget *parent)
    : QTableView(parent), m_model(new VideoListModel(VideoInfoManager::instance(), this)),
      m_delegate(new VideoListItemDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMinimumWidth(450);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setAcceptDrops(true);
    horizontalHeader()->setHighlightSections(false);
    // The name takes what the picture and the length leave.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    horizontalHeader()->resizeSection(0, 116);
    horizontalHeader()->resizeSection(2, 84);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(50);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    setStyleSheet(QString::fromLatin1(kListStyle));

    m_welcome = new WelcomeWidget(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 50, 10, 50);
    layout->addWidget(m_welcome);
    m_welcome->raise();

    connect(this, &QWidget::customContextMenuRequested, this, &VideoListWidget::popupVideoContextMenu);
    connect(this, &QAbstractItemView::doubleClicked, this, &VideoListWidget::onVideoListDoubleClicked);
    connect(this, &QAbstractItemView::clicked, this, &VideoListWidget::onItemClicked);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &VideoListWidget::onSelectionChanged);
    connect(VideoInfoManager::instance(), qOverload<int>(&VideoInfoManager::videoRemoved), this,
            &VideoListWidget::onVideoRemoved);
}

QList<int> VideoListWidget::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectedIndexes()) {
        if (!rows.contains(index.row()))
            rows.append(index.row());
    }
    return rows;
}

int VideoListWidget::currentRow() const
{
    const QModelIndexList indexes = selectedIndexes();
    return indexes.isEmpty() ? -1 : indexes.first().row();
}

QString VideoListWidget::selectedFilePath() const
{
    const int row = currentRow();
    return row < 0 ? QString() : VideoInfoManager::instance()->filePath(row);
}

bool VideoListWidget::selectedBasicInfo(VideoBasicInfo &info) const
{
    const int row = currentRow();
    return row >= 0 && VideoInfoManager::instance()->basicInfo(row, info);
}

bool VideoListWidget::selectedMediaSummary(MediaSummary &summary) const
{
    const int row = currentRow();
    return row >= 0 && VideoInfoManager::instance()->mediaSummary(row, summary);
}

void VideoListWidget::removeSelected()
{
    VideoInfoManager::instance()->removeVideos(selectedRows());
}

void VideoListWidget::clearAll()
{
    VideoInfoManager::instance()->clear();
}

void VideoListWidget::rename(int row, const QString &name)
{
    VideoInfoManager::instance()->rename(row, name);
}

QStringList VideoListWidget::droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    const QList<QUrl> urls = data->urls();
    for (int i = 0; i < urls.size() && i < kMaxDroppedFiles; ++i)
        files << urls.at(i).toLocalFile();
    return files;
}

void VideoListWidget::popupVideoContextMenu(QPoint pos)
{
    Q_UNUSED(pos); // the menu opens where the cursor is now
    if (m_contextMenu)
        m_contextMenu->exec(QCursor::pos());
}

void VideoListWidget::onVideoListDoubleClicked(QModelIndex index)
{
    VideoBasicInfo info;
    if (!index.isValid() || !VideoInfoManager::instance()->basicInfo(index.row(), info))
        return;
    emit playRequested(info);
}

void VideoListWidget::onItemClicked(QModelIndex index)
{
    Q_UNUSED(index); // column 0 carries no check boxes
}

void VideoListWidget::onSelectionChanged(QItemSelection selected, QItemSelection deselected)
{
    Q_UNUSED(selected);
    Q_UNUSED(deselected);
    emit selectionChanged(selectedRows());
}

void VideoListWidget::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    emit currentItemChanged(rowAt(event->position().toPoint().y()));
}

void VideoListWidget::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void VideoListWidget::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void VideoListWidget::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
}

void VideoListWidget::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    event->acceptProposedAction();
    if (!files.isEmpty())
        VideoInfoManager::instance()->addFiles(files);
}

void VideoListWidget::onVideoRemoved(int row)
{
    // A removed row takes its selection with it.  The row that moved into
    // its place (or the new last one) becomes current, so that Play and
    // the bars go on working for the files that remain; the followers of
    // the current item hear of it either way.
    const int count = m_model->rowCount();
    if (currentRow() < 0 && count > 0)
        selectRow(std::clamp(row, 0, count - 1));
    emit currentItemChanged(currentRow());
}
