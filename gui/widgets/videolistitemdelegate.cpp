#include "gui/widgets/videolistitemdelegate.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QTableView>

VideoListItemDelegate::VideoListItemDelegate(QTableView *view) : QStyledItemDelegate(view)
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    const int gridHint = view->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, view);
    const QColor gridColor = QColor::fromRgba(static_cast<QRgb>(gridHint));
    m_pen = QPen(gridColor, 0, view->gridStyle(), Qt::SquareCap, Qt::BevelJoin);
}

QRect VideoListItemDelegate::thumbnailRect(const QRect &cell, const QSize &imageSize)
{
    const QRect room = cell.adjusted(6, 4, -6, -4);
    if (imageSize.isEmpty() || room.isEmpty())
        return QRect();
    const QSize fitted = imageSize.scaled(room.size().boundedTo(imageSize), Qt::KeepAspectRatio);
    QRect r(QPoint(0, 0), fitted);
    r.moveCenter(room.center());
    return r;
}

void VideoListItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() == 2)
        option->displayAlignment = Qt::AlignCenter;
    else if (index.column() == 1)
        option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}

void VideoListItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const QImage thumb = index.column() == 0 ? index.data(Qt::DecorationRole).value<QImage>() : QImage();
    if (thumb.isNull()) {
        QStyledItemDelegate::paint(painter, option, index);
    } else {
        // Background and selection as usual, then the picture fitted into the cell.
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.features &= ~QStyleOptionViewItem::HasDecoration;
        opt.icon = QIcon();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QRect target = thumbnailRect(option.rect, thumb.size());
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, thumb);
        painter->setPen(QColor(0x8e, 0xa3, 0xc2));
        painter->drawRect(target.adjusted(0, 0, -1, -1));
        painter->restore();
    }
    const QPen previous = painter->pen();
    painter->setPen(m_pen);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->setPen(previous);
}
