#pragma once

#include <QPen>
#include <QStyledItemDelegate>

class QTableView;

// Paints cells as usual and underlines every cell with the grid colour.
// Thumbnails are fitted into their cell with a thin frame, keeping their shape.
class VideoListItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit VideoListItemDelegate(QTableView *view);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // The rectangle a picture of imageSize takes inside cell (centred, aspect kept).
    static QRect thumbnailRect(const QRect &cell, const QSize &imageSize);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QPen m_pen;
};
