#pragma once

#include <QSlider>

// A player's progress slider: a click on the bar jumps there and seeks at
// once (sliderMoved), where a plain slider would only step a page towards
// the click; the press then drags the handle on from there as usual.
class SeekSlider : public QSlider {
    Q_OBJECT
public:
    explicit SeekSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

    // The value a press at that point of the widget jumps to.
    int valueAt(const QPoint &point) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
