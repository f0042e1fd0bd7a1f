#include "gui/player/widgetvideowindowhost.h"

#include <QWidget>

namespace {
QWidget *widgetOf(int64_t id)
{
    return id ? QWidget::find(WId(id)) : nullptr;
}
} // namespace

void WidgetVideoWindowHost::install()
{
    static WidgetVideoWindowHost host;
    playback::setVideoWindowHost(&host);
}

bool WidgetVideoWindowHost::windowSize(int64_t id, QSize *size, double *pixelRatio) const
{
    QWidget *w = widgetOf(id);
    if (!w)
        return false;
    *size = w->size();
    *pixelRatio = w->devicePixelRatioF();
    return true;
}

QPaintDevice *WidgetVideoWindowHost::paintDevice(int64_t id) const
{
    QWidget *w = widgetOf(id);
    return w && w->testAttribute(Qt::WA_WState_InPaintEvent) ? w : nullptr;
}

void WidgetVideoWindowHost::requestRepaint(int64_t id)
{
    if (QWidget *w = widgetOf(id))
        w->update();
}
