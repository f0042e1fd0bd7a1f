#pragma once

#include <QAbstractListModel>

class VideoInfoManager;

// The editor's file list: the thumbnails of the registry's files that have
// video, in list order (rows are video-file indexes).  Holds no rows of its
// own; every answer is read from the registry.
class VideoEditListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int ThumbnailWidth = 80;

    // registry: the media list it shows (outlives the model).
    explicit VideoEditListModel(const VideoInfoManager *registry, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

public slots:
    void onItemInserted(int first, int last);
    void onVideoUpdated(int index);
    void onVideoRemoved(int index);

private:
    const VideoInfoManager *m_registry;
};
