#include "Widgets/videolistitemdelegate.h"

#include <QApplication>
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

void VideoListItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QPen previous = painter->pen();
    painter->setPen(m_pen);
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->setPen(previous);
}
