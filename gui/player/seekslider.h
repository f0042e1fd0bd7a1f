#pragma once

#include <QSlider>

class QStyleOptionSlider;

// A player's progress bar: 16 pixels high, never taking the focus, empty
// until a file plays.  A click on the bar jumps there and seeks at once
// (sliderMoved), where a plain slider would only step a page towards the
// click; the press then drags the handle on from there as usual.
class SeekSlider : public QSlider {
    Q_OBJECT
public:
    explicit SeekSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The value that puts the handle's centre on point.
    int valueAt(const QStyleOptionSlider &opt, const QRect &handle, const QPoint &point) const;
};
