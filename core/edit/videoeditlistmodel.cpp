#include "core/edit/videoeditlistmodel.h"

#include "core/media/videoinfomanager.h"

#include <QImage>

VideoEditListModel::VideoEditListModel(const VideoInfoManager *registry, QObject *parent)
    : QAbstractListModel(parent), m_registry(registry)
{
    connect(registry, &VideoInfoManager::videoFileInserted, this, &VideoEditListModel::onItemInserted);
    connect(registry, &VideoInfoManager::videoFileUpdated, this, &VideoEditListModel::onVideoUpdated);
    connect(registry, qOverload<int>(&VideoInfoManager::videoFileRemoved), this,
            &VideoEditListModel::onVideoRemoved);
}

int VideoEditListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_registry->videoFileCount();
}

QVariant VideoEditListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DecorationRole || !index.isValid() || index.column() != 0 || index.row() >= rowCount())
        return QVariant();
    const QImage *thumb = m_registry->thumbnailOfVideoFile(index.row());
    if (!thumb || thumb->isNull())
        return QVariant();
    return thumb->scaledToWidth(ThumbnailWidth, Qt::FastTransformation);
}

Qt::ItemFlags VideoEditListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QVariant VideoEditListModel::headerData(int, Qt::Orientation, int) const
{
    return QVariant();
}

void VideoEditListModel::onItemInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
    endInsertRows();
}

void VideoEditListModel::onVideoUpdated(int index)
{
    emit dataChanged(this->index(index), this->index(index));
}

void VideoEditListModel::onVideoRemoved(int index)
{
    // The registry has already dropped the record; tell the views afterwards.
    beginRemoveRows(QModelIndex(), index, index);
    endRemoveRows();
}
