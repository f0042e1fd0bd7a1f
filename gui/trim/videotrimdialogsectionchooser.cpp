#include "gui/trim/videotrimdialogsectionchooser.h"

#include "gui/common/guilog.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace {

constexpr int kSliderHeight = 19; // y from 0 to 18
constexpr int kCursorDrop = 15;   // cursors stand this far below the slider's top

QString cursorStyle(const QString &side)
{
    const QString base = QStringLiteral(":/images/dialogs/trim_cursor_") + side;
    return QStringLiteral("QPushButton { border: none; border-image: url(%1_normal.png); }"
                          "QPushButton:hover { border-image: url(%1_hover.png); }"
                          "QPushButton:pressed { border-image: url(%1_pressed.png); }"
                          "QPushButton:disabled { border-image: url(%1_disabled.png); }")
        .arg(base);
}

QPushButton *makeCursor(QWidget *parent, const QString &name, const QString &side, const QString &tip)
{
    auto *cursor = new QPushButton(parent);
    cursor->setObjectName(name);
    cursor->setFixedSize(20, 20);
    cursor->setFocusPolicy(Qt::NoFocus);
    cursor->setCursor(Qt::SizeHorCursor);
    cursor->setStyleSheet(cursorStyle(side));
    cursor->setToolTip(tip);
    return cursor;
}

} // namespace

VideoTrimDialogSectionChooser::VideoTrimDialogSectionChooser(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(50);
    setContentsMargins(0, 0, 0, 0);
    setMinimumWidth(100);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("sliderPlay"));
    m_slider->setTickPosition(QSlider::NoTicks);
    m_slider->setTracking(true);
    m_slider->setRange(0, SliderMax);
    m_slider->setFocusPolicy(Qt::NoFocus);
    m_slider->setStyleSheet(QStringLiteral(
        "QSlider::groove:horizontal { border: none; height: 16px;"
        " border-image: url(:/images/mainwindow/videoplayer/slider_bkgnd.png); }"
        "QSlider::handle:horizontal { width: 14px; margin: 1px 0px;"
        " border-image: url(:/images/common/slider_handle_normal.png); }"
        "QSlider::handle:horizontal:hover { border-image: url(:/images/common/slider_handle_hover.png); }"
        "QSlider::handle:horizontal:pressed { border-image: url(:/images/common/slider_handle_pressed.png); "
        "}"));

    m_leftCursor =
        makeCursor(this, QStringLiteral("leftCursor"), QStringLiteral("left"), tr("Drag to the start"));
    m_rightCursor =
        makeCursor(this, QStringLiteral("rightCursor"), QStringLiteral("right"), tr("Drag to the end"));

    m_leftCursor->installEventFilter(this);
    m_rightCursor->installEventFilter(this);
    m_slider->installEventFilter(this);
    connect(m_slider, &QSlider::sliderMoved, this, &VideoTrimDialogSectionChooser::sliderMoved);
}

int VideoTrimDialogSectionChooser::sliderLeft() const
{
    return m_slider->x();
}

int VideoTrimDialogSectionChooser::sliderSpan() const
{
    return std::max(1, m_slider->width());
}

int VideoTrimDialogSectionChooser::valueOfMark(int markX) const
{
    return (markX - sliderLeft()) * SliderMax / sliderSpan();
}

int VideoTrimDialogSectionChooser::markOfValue(int value) const
{
    // The nearest pixel: a value reads back as itself or its pixel's neighbour.
    const int v = std::clamp(value, 0, int(SliderMax));
    return sliderLeft() + (v * sliderSpan() + SliderMax / 2) / SliderMax;
}

int VideoTrimDialogSectionChooser::startValue() const
{
    return valueOfMark(m_leftCursor->x() + m_leftCursor->width());
}

int VideoTrimDialogSectionChooser::endValue() const
{
    return valueOfMark(m_rightCursor->x());
}

int VideoTrimDialogSectionChooser::clampedX(QPushButton *cursor, int x) const
{
    const int left = sliderLeft();
    const int right = left + sliderSpan();
    if (cursor == m_leftCursor) {
        const int lw = m_leftCursor->width();
        return std::clamp(x, left - lw, std::max(left - lw, m_rightCursor->x() - lw));
    }
    const int leftMark = m_leftCursor->x() + m_leftCursor->width();
    return std::clamp(x, std::min(leftMark, right), right);
}

void VideoTrimDialogSectionChooser::placeCursor(QPushButton *cursor, int x)
{
    cursor->move(x, m_slider->y() + kCursorDrop);
}

void VideoTrimDialogSectionChooser::resetCursors()
{
    placeCursor(m_leftCursor, sliderLeft() - m_leftCursor->width());
    placeCursor(m_rightCursor, sliderLeft() + sliderSpan());
    m_placed = true;
    update();
}

void VideoTrimDialogSectionChooser::setStartValue(int value)
{
    placeCursor(m_leftCursor, clampedX(m_leftCursor, markOfValue(value) - m_leftCursor->width()));
    update();
}

void VideoTrimDialogSectionChooser::setEndValue(int value)
{
    placeCursor(m_rightCursor, clampedX(m_rightCursor, markOfValue(value)));
    update();
}

void VideoTrimDialogSectionChooser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int left = m_leftCursor->width();
    const int right = width() - m_rightCursor->width() - 1;
    m_slider->setGeometry(QRect(QPoint(left, 0), QPoint(std::max(left, right), kSliderHeight - 1)));
    if (!m_placed) {
        resetCursors();
        return;
    }
    // Keep each cursor's x, within what the new width allows.
    placeCursor(m_rightCursor, clampedX(m_rightCursor, m_rightCursor->x()));
    placeCursor(m_leftCursor, clampedX(m_leftCursor, m_leftCursor->x()));
}

void VideoTrimDialogSectionChooser::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(0x1c, 0x58, 0xa4), 2));
    const int y = m_leftCursor->y() + m_leftCursor->height() / 2;
    painter.drawLine(m_leftCursor->x() + m_leftCursor->width(), y, m_rightCursor->x() - 1, y);
}

void VideoTrimDialogSectionChooser::dragTo(QPushButton *cursor, const QPoint &globalPos)
{
    const int x = clampedX(cursor, mapFromGlobal(globalPos).x() - m_pressOffset);
    if (x == cursor->x())
        return;
    update();
    placeCursor(cursor, x);
    if (cursor == m_leftCursor) {
        const int v = valueOfMark(x + cursor->width());
        emit startValChanged(v);
        m_slider->setValue(v);
    } else {
        const int v = valueOfMark(x);
        emit endValChanged(v);
        m_slider->setValue(v);
    }
}

bool VideoTrimDialogSectionChooser::eventFilter(QObject *watched, QEvent *event)
{
    auto *cursor =
        (watched == m_leftCursor || watched == m_rightCursor) ? static_cast<QPushButton *>(watched) : nullptr;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint global = mouse->globalPosition().toPoint();

    if (cursor && cursor->isEnabled()) {
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            cursor->grabMouse();
            m_dragging = cursor;
            m_pressOffset = global.x() - cursor->mapToGlobal(QPoint(0, 0)).x();
            emit chooseStarted();
        } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton && m_dragging) {
            m_dragging->releaseMouse();
            m_dragging = nullptr;
            emit chooseEnd();
        } else if (type == QEvent::MouseMove) {
            if (m_dragging == cursor)
                dragTo(cursor, global);
            return true;
        }
    } else if (watched == m_slider && type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        const int x = mouse->position().toPoint().x();
        const int width = std::max(1, m_slider->width());
        const int v = std::clamp(x * SliderMax / width, 0, int(SliderMax));
        qCDebug(lcEditor, "point.x = [%d], width = [%d], val =[%d/1000]", x, width, v);
        emit sliderMoved(v);
    }
    return QWidget::eventFilter(watched, event);
}
