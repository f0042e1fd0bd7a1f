#include "gui/player/seekslider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

SeekSlider::SeekSlider(Qt::Orientation orientation, QWidget *parent) : QSlider(orientation, parent)
{
    setFixedHeight(16);
    setFocusPolicy(Qt::NoFocus);
    setRange(0, 0);
}

int SeekSlider::valueAt(const QStyleOptionSlider &opt, const QRect &handle, const QPoint &point) const
{
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    const int handleLength = horizontal ? handle.width() : handle.height();
    const int start = horizontal ? groove.x() : groove.y();
    const int span = std::max(1, (horizontal ? groove.width() : groove.height()) - handleLength);
    const int pos = std::clamp((horizontal ? point.x() : point.y()) - start - handleLength / 2, 0, span);
    return QStyle::sliderValueFromPosition(minimum(), maximum(), pos, span, opt.upsideDown);
}

void SeekSlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isEnabled() && maximum() > minimum()) {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        const QPoint at = event->position().toPoint();
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
        if (!handle.contains(at)) {
            const int v = valueAt(opt, handle, at);
            setValue(v);
            emit sliderMoved(v);
        }
    }
    QSlider::mousePressEvent(event);
}
