#pragma once

#include "core/media/mediasummary.h"
#include "core/media/videobasicinfo.h"

#include <QItemSelection>
#include <QList>
#include <QTableView>

class QMenu;
class QMimeData;
class VideoListModel;
class VideoListItemDelegate;
class WelcomeWidget;

// The media list of the main window: thumbnail, name and length of every
// added file, with row selection, drag and drop, a context menu and
// double-click to play (announced with playRequested).
class VideoListWidget : public QTableView {
    Q_OBJECT
public:
    // At most this many dropped files are added at once.
    static constexpr int kMaxDroppedFiles = 32;

    explicit VideoListWidget(QWidget *parent = nullptr);
    // The menu a right click opens (none unless set).
    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }

    QList<int> selectedRows() const;
    int currentRow() const;
    QString selectedFilePath() const;
    bool selectedBasicInfo(VideoBasicInfo &info) const;
    bool selectedMediaSummary(MediaSummary &summary) const;
    void removeSelected();
    void clearAll();
    void rename(int row, const QString &name);

    VideoListModel *listModel() const { return m_model; }
    WelcomeWidget *welcomeWidget() const { return m_welcome; }

    // Local paths of the first kMaxDroppedFiles URLs of dropped data.
    static QStringList droppedFiles(const QMimeData *data);

signals:
    void selectionChanged(QList<int> index);
    void currentItemChanged(int index);
    void itemCountChanged(int count);
    // A row was double-clicked: its file should play.
    void playRequested(const VideoBasicInfo &info);

public slots:
    void popupVideoContextMenu(QPoint pos);
    void onVideoListDoubleClicked(QModelIndex index);
    void onItemClicked(QModelIndex index);
    void onSelectionChanged(QItemSelection selected, QItemSelection deselected);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void onVideoRemoved(int row);

    QMenu *m_contextMenu = nullptr;
    VideoListModel *m_model;
    VideoListItemDelegate *m_delegate;
    WelcomeWidget *m_welcome;
};
