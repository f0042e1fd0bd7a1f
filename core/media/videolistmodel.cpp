#include "core/media/videolistmodel.h"

#include "core/media/timetext.h"
#include "core/media/videoinfomanager.h"

#include <QImage>

VideoListModel::VideoListModel(const VideoInfoManager *registry, QObject *parent)
    : QAbstractTableModel(parent), m_registry(registry)
{
    connect(registry, &VideoInfoManager::videoInserted, this, &VideoListModel::onItemInserted);
    connect(registry, &VideoInfoManager::videoUpdated, this, &VideoListModel::onVideoUpdated);
    connect(registry, qOverload<int>(&VideoInfoManager::videoRemoved), this, &VideoListModel::onVideoRemoved);
}

int VideoListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_registry->count();
}

int VideoListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

Qt::ItemFlags VideoListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

QVariant VideoListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    Q_UNUSED(orientation);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case 0:
        return tr("Preview");
    case 1:
        return tr("Name");
    case 2:
        return tr("Length");
    default:
        return QVariant();
    }
}

QVariant VideoListModel::data(const QModelIndex &index, int role) const
{
    const VideoInfoManager *registry = m_registry;
    if (!index.isValid() || index.row() < 0 || index.row() >= registry->count())
        return QVariant();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 1)
            return registry->displayName(row);
        if (index.column() == 2) {
            // A file that does not state its length shows it once a
            // conversion has read it to its end.
            if (registry->msEnd(row) < 0)
                return QStringLiteral("--:--:--");
            return TimeText::fromMs(qint64(registry->msEnd(row)) - registry->msStart(row));
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == 0) {
            const QImage *thumb = registry->thumbnail(row);
            if (thumb && !thumb->isNull())
                return thumb->scaledToWidth(100, Qt::FastTransformation);
        }
        break;
    case Qt::ToolTipRole:
        if (index.column() == 1)
            return registry->displayName(row);
        break;
    default:
        break;
    }
    return QVariant();
}

void VideoListModel::onItemInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
    endInsertRows();
}

void VideoListModel::onVideoUpdated(int row)
{
    emit dataChanged(index(row, 0), index(row, 2));
}

void VideoListModel::onVideoRemoved(int row)
{
    // The registry has already dropped the record; tell the views afterwards.
    beginRemoveRows(QModelIndex(), row, row);
    endRemoveRows();
}
