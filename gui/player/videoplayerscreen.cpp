#include "gui/player/videoplayerscreen.h"

#include "engine/playback/ffmpegplayer.h"
#include "gui/player/widgetvideowindowhost.h"

#include <QPainter>

VideoPlayerScreen::VideoPlayerScreen(QWidget *parent) : QWidget(parent)
{
    WidgetVideoWindowHost::install();
    setAttribute(Qt::WA_NativeWindow);
    // The whole area is painted here; nothing shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool VideoPlayerScreen::refreshFrame()
{
    return FFP_TestAndRefresh(static_cast<int64_t>(winId()));
}

bool VideoPlayerScreen::event(QEvent *event)
{
    return QWidget::event(event);
}

void VideoPlayerScreen::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
    }
    if (!refreshFrame())
        QWidget::paintEvent(event);
}
