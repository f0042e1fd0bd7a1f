#include "gui/common/widgetenhancer.h"

#include <QBitmap>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

WidgetEnhancer *WidgetEnhancer::create(QWidget *widget, bool movable, bool resizable)
{
    if (!widget)
        return nullptr;
    return new WidgetEnhancer(widget, movable, resizable);
}

WidgetEnhancer::WidgetEnhancer(QWidget *widget, bool movable, bool resizable)
    : m_widget(widget), m_movable(movable), m_resizable(resizable)
{
    connect(widget, &QObject::destroyed, this, &WidgetEnhancer::deleteEnhancer);
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void WidgetEnhancer::deleteEnhancer()
{
    delete this;
}

bool WidgetEnhancer::loadSkin(const QString &imagePath, int top, int right, int bottom, int left)
{
    QPixmap pixmap;
    if (!pixmap.load(imagePath))
        return false;
    m_skin = pixmap;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    m_left = left;
    m_maskSize = QSize();
    if (m_widget)
        m_widget->update();
    return true;
}

WidgetEnhancer::Region WidgetEnhancer::hitTest(const QSize &size, const QPoint &pos)
{
    const int w = size.width() - 1;
    const int h = size.height() - 1;
    struct Band {
        Region region;
        QRect rect;
    };
    // Inclusive rectangles, tested in order; the first hit wins.
    const Band bands[] = {
        {RegionTopLeft, QRect(QPoint(0, 0), QPoint(4, 4))},
        {RegionTop, QRect(QPoint(3, 0), QPoint(w - 3, 2))},
        {RegionTopRight, QRect(QPoint(w - 2, 0), QPoint(w + 2, 4))},
        {RegionRight, QRect(QPoint(w - 2, 5), QPoint(w + 2, h - 1))},
        {RegionBottomRight, QRect(QPoint(w - 2, h - 2), QPoint(w + 2, h + 2))},
        {RegionBottom, QRect(QPoint(3, h - 2), QPoint(w - 3, h + 2))},
        {RegionBottomLeft, QRect(QPoint(0, h - 2), QPoint(4, h + 2))},
        {RegionLeft, QRect(QPoint(0, 5), QPoint(4, h - 1))},
        {RegionBody, QRect(QPoint(5, 5), QPoint(w - 1, h - 1))},
    };
    for (const Band &band : bands) {
        const QRect &r = band.rect;
        if (pos.x() >= r.left() && pos.x() <= r.right() && pos.y() >= r.top() && pos.y() <= r.bottom())
            return band.region;
    }
    return RegionNone;
}

Qt::CursorShape WidgetEnhancer::cursorForRegion(Region region)
{
    switch (region) {
    case RegionTopLeft:
    case RegionBottomRight:
        return Qt::SizeFDiagCursor;
    case RegionTopRight:
    case RegionBottomLeft:
        return Qt::SizeBDiagCursor;
    case RegionTop:
    case RegionBottom:
        return Qt::SizeVerCursor;
    case RegionLeft:
    case RegionRight:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QRect WidgetEnhancer::resizedGeometry(const QRect &geometry, Region region, const QPoint &cursor,
                                      const QPoint &pressPos, const QPoint &pressFromBottomRight,
                                      const QSize &minimum)
{
    // Work with exclusive right/bottom edges so that width = right - left.
    int left = geometry.x();
    int top = geometry.y();
    int right = geometry.x() + geometry.width();
    int bottom = geometry.y() + geometry.height();
    const bool moveLeft = region == RegionTopLeft || region == RegionLeft || region == RegionBottomLeft;
    const bool moveRight = region == RegionTopRight || region == RegionRight || region == RegionBottomRight;
    const bool moveTop = region == RegionTopLeft || region == RegionTop || region == RegionTopRight;
    const bool moveBottom =
        region == RegionBottomLeft || region == RegionBottom || region == RegionBottomRight;
    const int minW = qMax(1, minimum.width());
    const int minH = qMax(1, minimum.height());

    if (moveLeft)
        left = qMin(cursor.x() - pressPos.x(), right - minW);
    if (moveRight)
        right = qMax(cursor.x() - pressFromBottomRight.x(), left + minW);
    if (moveTop)
        top = qMin(cursor.y() - pressPos.y(), bottom - minH);
    if (moveBottom)
        bottom = qMax(cursor.y() - pressFromBottomRight.y(), top + minH);
    return QRect(left, top, right - left, bottom - top);
}

QImage WidgetEnhancer::composeSkin(const QSize &size) const
{
    if (m_skin.isNull() || size.isEmpty())
        return QImage();
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const int sw = m_skin.width();
    const int sh = m_skin.height();
    const int W = size.width();
    const int H = size.height();
    const int t = m_top, r = m_right, b = m_bottom, l = m_left;
    // Source and target columns/rows of the nine parts.
    const int sx[4] = {0, l, sw - r, sw};
    const int sy[4] = {0, t, sh - b, sh};
    const int tx[4] = {0, l, W - r, W};
    const int ty[4] = {0, t, H - b, H};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect src(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
            const QRect dst(tx[col], ty[row], tx[col + 1] - tx[col], ty[row + 1] - ty[row]);
            if (src.width() > 0 && src.height() > 0 && dst.width() > 0 && dst.height() > 0)
                p.drawPixmap(dst, m_skin, src);
        }
    }
    return out;
}

bool WidgetEnhancer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widget)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton)
            onMousePress(me->position().toPoint());
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton)
            onMouseRelease();
        break;
    }
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(event);
        onMouseMove(me->position().toPoint(), me->globalPosition().toPoint());
        break;
    }
    case QEvent::Paint:
        paintSkin();
        break;
    default:
        break;
    }
    return false; // the widget always gets the event as well
}

void WidgetEnhancer::onMousePress(const QPoint &local)
{
    if (QWidget::mouseGrabber() == m_widget)
        return;
    m_widget->grabMouse();
    m_pressPos = local;
    m_pressFromBottomRight = QPoint(local.x() - m_widget->width(), local.y() - m_widget->height());
    m_pressedRegion = hitTest(m_widget->size(), local);
}

void WidgetEnhancer::onMouseRelease()
{
    if (QWidget::mouseGrabber() != m_widget)
        return;
    m_widget->releaseMouse();
    m_widget->setCursor(Qt::ArrowCursor);
}

void WidgetEnhancer::onMouseMove(const QPoint &local, const QPoint &global)
{
    if (QWidget::mouseGrabber() != m_widget) {
        const Region region = m_resizable ? hitTest(m_widget->size(), local) : RegionNone;
        m_widget->setCursor(cursorForRegion(region));
        return;
    }
    if (m_pressedRegion == RegionNone || (!m_movable && !m_resizable))
        return;
    if (m_resizable && m_pressedRegion != RegionBody) {
        // Cursor in the coordinates the geometry is expressed in.
        QPoint cursor = global;
        if (!m_widget->isWindow() && m_widget->parentWidget())
            cursor = m_widget->parentWidget()->mapFromGlobal(global);
        m_widget->setGeometry(resizedGeometry(m_widget->geometry(), m_pressedRegion, cursor, m_pressPos,
                                              m_pressFromBottomRight, m_widget->minimumSize()));
    } else if (m_movable) {
        moveTo(global);
    }
}

void WidgetEnhancer::moveTo(const QPoint &global)
{
    QPoint target = global - m_pressPos;
    QWidget *parent = m_widget->parentWidget();
    const bool child = !m_widget->isWindow() && parent;
    if (child)
        target = parent->mapFromGlobal(target);
    if (m_keepInside) {
        QRect bounds;
        if (child)
            bounds = parent->rect();
        else if (parent)
            bounds = parent->window()->geometry();
        else if (QScreen *screen = QGuiApplication::primaryScreen())
            bounds = screen->virtualGeometry();
        if (bounds.isValid()) {
            target.setX(
                qMax(bounds.left(), qMin(target.x(), bounds.left() + bounds.width() - m_widget->width())));
            target.setY(
                qMax(bounds.top(), qMin(target.y(), bounds.top() + bounds.height() - m_widget->height())));
        }
    }
    m_widget->move(target);
}

void WidgetEnhancer::paintSkin()
{
    if (m_skin.isNull())
        return;
    const QImage composed = composeSkin(m_widget->size());
    if (composed.isNull())
        return;
    if (m_maskSize != m_widget->size()) {
        // Only the transparent corners cut the shape; rebuild when the size changes.
        m_maskSize = m_widget->size();
        m_widget->setMask(QBitmap::fromImage(composed.createAlphaMask()));
    }
    QPainter p(m_widget);
    p.drawImage(0, 0, composed);
}
