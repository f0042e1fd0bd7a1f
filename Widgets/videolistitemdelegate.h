#pragma once

#include <QPen>
#include <QStyledItemDelegate>

class QTableView;

// Paints cells as usual and underlines every cell with the grid colour.
class VideoListItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit VideoListItemDelegate(QTableView *view);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPen m_pen;
};
