#pragma once

#include <QAbstractTableModel>

class VideoInfoManager;

// The media list's table: thumbnail, name and length of every file of the
// registry.  Holds no rows of its own; every answer is read from the registry.
class VideoListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // registry: the media list it shows (outlives the model).
    explicit VideoListModel(const VideoInfoManager *registry, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

public slots:
    void onItemInserted(int first, int last);
    void onVideoUpdated(int row);
    void onVideoRemoved(int row);

private:
    const VideoInfoManager *m_registry;
};
