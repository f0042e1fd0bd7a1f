#include "gui/editor/videoselector.h"

#include <QDebug>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

VideoSelector::VideoSelector(QObject *parent) : QObject(parent) {}

VideoSelector::~VideoSelector()
{
    // The handles belong to the screen's parent; leave them without a filter.
    for (QWidget *handle : std::as_const(m_handles))
        if (handle)
            handle->removeEventFilter(this);
    if (m_screen)
        m_screen->removeEventFilter(this);
}

void VideoSelector::createHandle(int code)
{
    if (QWidget *old = m_handles.value(code))
        delete old;
    auto *handle = new QWidget(m_screen->parentWidget());
    handle->setObjectName(QStringLiteral("selectorHandle%1").arg(code));
    switch (code) {
    case CropSelection::Centre:
        handle->setCursor(Qt::OpenHandCursor);
        break;
    case CropSelection::Left:
    case CropSelection::Right:
        handle->setCursor(Qt::SizeHorCursor);
        break;
    case CropSelection::Top:
    case CropSelection::Bottom:
        handle->setCursor(Qt::SizeVerCursor);
        break;
    case CropSelection::TopLeft:
    case CropSelection::BottomRight:
        handle->setCursor(Qt::SizeFDiagCursor);
        break;
    default:
        handle->setCursor(Qt::SizeBDiagCursor);
        break;
    }
    handle->installEventFilter(this);
    m_handles[code] = handle;
}

void VideoSelector::attach(QWidget *screen)
{
    if (!screen || !screen->parentWidget())
        return;
    if (m_screen)
        m_screen->removeEventFilter(this);
    m_screen = screen;
    screen->installEventFilter(this);
    // The screen's window first, so that the handles' windows lie above it.
    screen->winId();
    for (int code : CropSelection::HandleCodes)
        createHandle(code);
    // No picture yet: the whole screen stands for it until the player says
    // where the picture lies.
    m_geometry.setScreenRect(QRect(QPoint(0, 0), QPoint(screen->width() - 1, screen->height() - 1)));
    emit screenRectRequired();
    const QRect p = m_geometry.picture();
    m_geometry.apply(QRect(QPoint(0, 0), QPoint(p.width() - 1, p.height() - 1)));
    updateToSelectedRect(m_geometry.selection());
    emit selectAreaChanged(m_geometry.selection());
}

void VideoSelector::showSelector()
{
    m_visible = true;
    updateToSelectedRect(m_geometry.selection());
}

void VideoSelector::hideSelector()
{
    m_visible = false;
    for (QWidget *handle : std::as_const(m_handles))
        if (handle)
            handle->hide();
}

void VideoSelector::setScreenRect(const QRect &rect)
{
    const QRect before = m_geometry.picture();
    if (rect == before)
        return;
    // The area stays on the same part of the video when the picture moves
    // or changes size (the first picture of a file, the preview's zoom).
    const std::optional<QRect> video = m_geometry.videoRect();
    if (!m_geometry.setScreenRect(rect))
        return;
    if (video && before.size() != rect.size() && before.width() > 0 && before.height() > 0)
        m_geometry.setSelectedArea(*video);
    updateToSelectedRect(m_geometry.selection());
    emit selectAreaChanged(m_geometry.selection());
}

void VideoSelector::setVideoSize(const QSize &size)
{
    m_geometry.setVideoSize(size);
}

void VideoSelector::setKeepRatio(bool keepRatio)
{
    m_geometry.setKeepRatio(keepRatio);
}

void VideoSelector::setLeft(int left)
{
    m_geometry.setLeft(left);
    updateToSelectedRect(m_geometry.selection());
}

void VideoSelector::setTop(int top)
{
    m_geometry.setTop(top);
    updateToSelectedRect(m_geometry.selection());
}

void VideoSelector::setWidth(int width)
{
    m_geometry.setWidth(width);
    updateToSelectedRect(m_geometry.selection());
}

void VideoSelector::setHeight(int height)
{
    m_geometry.setHeight(height);
    updateToSelectedRect(m_geometry.selection());
}

void VideoSelector::setSelectedArea(QRect rect)
{
    m_geometry.setSelectedArea(rect);
    updateToSelectedRect(m_geometry.selection());
    emit selectAreaChanged(m_geometry.selection());
    emit selectionChanged(rect);
}

void VideoSelector::setCurrentRatio(int width, int height)
{
    m_geometry.setCurrentRatio(width, height);
    updateToSelectedRect(m_geometry.selection());
}

void VideoSelector::announce()
{
    updateToSelectedRect(m_geometry.selection());
    emit selectAreaChanged(m_geometry.selection());
    if (const std::optional<QRect> video = m_geometry.videoRect())
        emit selectionChanged(*video);
}

void VideoSelector::applyDrag(int code, int dx, int dy)
{
    m_geometry.drag(code, dx, dy);
    announce();
}

void VideoSelector::moveBy(int dx, int dy)
{
    applyDrag(CropSelection::Centre, dx, dy);
}

void VideoSelector::resizeBy(int dw, int dh)
{
    if (dw)
        applyDrag(CropSelection::Right, dw, 0);
    if (dh)
        applyDrag(CropSelection::Bottom, 0, dh);
}

void VideoSelector::updateToSelectedRect(const QRect &rect)
{
    if (!m_screen || m_handles.isEmpty())
        return;
    const QPoint offset = m_geometry.picture().topLeft();
    const QPoint topLeft = m_screen->mapToParent(rect.topLeft() + offset);
    const QPoint bottomRight = m_screen->mapToParent(rect.bottomRight() + offset);
    const QMap<int, QRect> rects = CropSelection::handleRects(QRect(topLeft, bottomRight));
    for (auto it = m_handles.cbegin(); it != m_handles.cend(); ++it) {
        QWidget *handle = it.value();
        if (!handle)
            continue;
        const auto place = rects.constFind(it.key());
        if (place == rects.cend() || !m_visible) {
            handle->hide();
            continue;
        }
        handle->setGeometry(*place);
        if (handle->isHidden()) {
            handle->show();
            handle->raise(); // over the screen's own window
        }
    }
}

int VideoSelector::codeOf(QObject *object) const
{
    for (auto it = m_handles.cbegin(); it != m_handles.cend(); ++it)
        if (it.value() == object)
            return it.key();
    return 0;
}

bool VideoSelector::eventFilter(QObject *watched, QEvent *event)
{
    const int code = codeOf(watched);
    const bool isScreen = m_screen && watched == m_screen;
    if (!code && !isScreen)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (isScreen) {
            // A click on the picture gives the keyboard to the editor's crop keys.
            m_screen->setFocus(Qt::MouseFocusReason);
            return true;
        }
        auto *handle = static_cast<QWidget *>(watched);
        if (mouse->button() == Qt::LeftButton && QWidget::mouseGrabber() != handle) {
            handle->grabMouse();
            m_dragCode = code;
            m_pressPoint = mouse->position().toPoint();
            if (code == CropSelection::Centre)
                handle->setCursor(Qt::ClosedHandCursor);
            if (m_screen)
                m_screen->setFocus(Qt::MouseFocusReason);
        }
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (code) {
            auto *handle = static_cast<QWidget *>(watched);
            if (QWidget::mouseGrabber() == handle)
                handle->releaseMouse();
            m_dragCode = 0;
            if (code == CropSelection::Centre)
                handle->setCursor(Qt::OpenHandCursor);
        }
        return true;
    }
    case QEvent::MouseMove: {
        if (code && code == m_dragCode) {
            const QPoint delta = static_cast<QMouseEvent *>(event)->position().toPoint() - m_pressPoint;
            applyDrag(code, delta.x(), delta.y());
        }
        return true;
    }
    case QEvent::Paint:
        if (!code)
            break; // the screen paints the video itself
        {
            auto *handle = static_cast<QWidget *>(watched);
            QPainter painter(handle);
            painter.fillRect(handle->rect(), Qt::red);
        }
        return true;
    case QEvent::Resize:
        if (isScreen) {
            emit screenRectRequired();
            break; // the screen still learns its new size
        }
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
